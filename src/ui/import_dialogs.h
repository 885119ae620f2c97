#pragma once
// The dialogs that choose what to import: files, or a folder to search. Each opens where the
// last import was chosen (remembered for the next start); cancelled, it chooses nothing.

#include <QStringList>

#include "ui/common_dialog.h"

class ImportDialogs {
public:
    explicit ImportDialogs(FileDialogRunner& runner) : runner_(runner) {}

    QStringList ChooseFiles(QWidget* parent);
    QStringList ChooseFolder(QWidget* parent);
    // One of our books to open, starting in the books' folder; empty when cancelled.
    QString ChooseBook(QWidget* parent, const QString& books);

private:
    FileDialogRunner& runner_;
};
