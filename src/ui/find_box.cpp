#include "ui/find_box.h"

#include <QKeyEvent>

FindBox::FindBox(QWidget* parent) : QLineEdit(parent) {
    setClearButtonEnabled(true);
    hide();
}

void FindBox::Start() {
    show();
    setFocus();
    selectAll();
}

void FindBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The whole list again.
    clear();
    hide();
    emit ended();
}
