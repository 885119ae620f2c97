#include "ui/message_boxes.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

int QtMessageBoxRunner::runMessageBox(QWidget* parent, const QString& title, const QString& text,
                                      const QStringList& buttons, int defaultButton) {
    if (buttons.isEmpty()) {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
        return box.exec() == QMessageBox::Ok ? 0 : -1;
    }
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

std::optional<QString> QtMessageBoxRunner::runTextQuestion(QWidget* parent, const QString& title,
                                                           const QString& text,
                                                           const QString& proposed) {
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("TextQuestion"));
    dialog.setWindowTitle(title);
    dialog.setLabelText(text);
    dialog.setTextValue(proposed);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

void MessageBoxes::Tell(QWidget* parent, const QString& text, const QString& title) {
    runner_.runMessageBox(parent, title, text, {}, 0);
}

bool MessageBoxes::Ask(QWidget* parent, const QString& text, const QString& title,
                       const QString& yes, const QString& no, bool yesIsDefault) {
    return Choose(parent, text, title, {yes, no}, yesIsDefault ? 0 : 1) == 0;
}

int MessageBoxes::Choose(QWidget* parent, const QString& text, const QString& title,
                         const QStringList& buttons, int defaultButton) {
    return runner_.runMessageBox(parent, title, text, buttons, defaultButton);
}

std::optional<QString> MessageBoxes::AskText(QWidget* parent, const QString& text,
                                             const QString& title, const QString& proposed) {
    return runner_.runTextQuestion(parent, title, text, proposed);
}
