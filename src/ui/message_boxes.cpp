#include "message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

void Tell(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool Ask(QWidget* parent, const QString& text, const QString& title, const QString& yes,
         const QString& no, bool yesIsDefault) {
    return Choose(parent, text, title, {yes, no}, yesIsDefault ? 0 : 1) == 0;
}

int Choose(QWidget* parent, const QString& text, const QString& title, const QStringList& buttons,
           int defaultButton) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, parent);
    QList<QPushButton*> shown;
    for (const QString& caption : buttons) {
        const bool last = shown.size() + 1 == buttons.size();
        shown << box.addButton(caption, last ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    }
    box.setEscapeButton(shown.back());
    box.setDefaultButton(shown.at(defaultButton));
    box.exec();
    return static_cast<int>(shown.indexOf(box.clickedButton()));
}
