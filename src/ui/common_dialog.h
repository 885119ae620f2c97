#pragma once
// The file dialogs the window's "更改" buttons show, as the platform's common-dialog control
// holds them: a title, a filter string and the current file name.

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// "description|patterns|description|patterns", patterns separated by ';', as the name
// filters the toolkit understands: "description (pattern pattern)".
QStringList NameFilters(const QString& filter);

// Shows one modal file dialog: a save-file dialog gives the chosen full path, or nothing
// when cancelled; an open-file dialog the chosen files (one, unless `several`), none when
// cancelled.
class FileDialogRunner {
public:
    virtual ~FileDialogRunner() = default;
    virtual std::optional<QString> runSaveDialog(QWidget* parent, const QString& title,
                                                 const QStringList& nameFilters,
                                                 const QString& fileName) = 0;
    virtual QStringList runOpenDialog(QWidget* parent, const QString& title,
                                      const QStringList& nameFilters, bool several,
                                      const QString& folder = {}) = 0;
    // A folder chosen, or nothing when cancelled.
    virtual std::optional<QString> runFolderDialog(QWidget* parent, const QString& title,
                                                   const QString& folder) = 0;
};

// The toolkit's file dialog: first filter selected, no default extension; a save dialog asks
// before an existing file is chosen.
class QtFileDialogRunner : public FileDialogRunner {
public:
    std::optional<QString> runSaveDialog(QWidget* parent, const QString& title,
                                         const QStringList& nameFilters,
                                         const QString& fileName) override;
    QStringList runOpenDialog(QWidget* parent, const QString& title, const QStringList& nameFilters,
                              bool several, const QString& folder) override;
    std::optional<QString> runFolderDialog(QWidget* parent, const QString& title,
                                           const QString& folder) override;
};

class CommonDialog {
public:
    CommonDialog(QString title, QString filter, QString fileName, FileDialogRunner& runner);

    // Confirming sets the current file name to the chosen full path; cancelling keeps it.
    // True when a file was chosen.
    bool ShowSave(QWidget* parent);
    // The same with an open-file dialog: an existing file is chosen, never replaced.
    bool ShowOpen(QWidget* parent);
    const QString& FileName() const { return fileName_; }

private:
    QString title_;
    QString filter_;
    QString fileName_;
    FileDialogRunner& runner_;
};
