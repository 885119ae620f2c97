#include "message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

void Tell(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool Ask(QWidget* parent, const QString& text, const QString& title, const QString& yes,
         const QString& no, bool yesIsDefault) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, parent);
    QPushButton* accept = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton* reject = box.addButton(no, QMessageBox::RejectRole);
    box.setEscapeButton(reject);
    box.setDefaultButton(yesIsDefault ? accept : reject);
    box.exec();
    return box.clickedButton() == accept;
}
