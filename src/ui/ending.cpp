#include "ui/ending.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

void EndNow() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(window);
            dialog != nullptr && dialog->isVisible()) {
            dialog->reject();
        }
    }
    // exit(), not quit(): quit() may be refused while a modal box is open; exit() leaves
    // every event loop, the nested ones too.
    QCoreApplication::exit(0);
}
