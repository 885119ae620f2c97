#include "ui/common_dialog.h"

#include <QFileDialog>

QStringList NameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // The toolkit reads patterns only from a last "(...)" split at blanks; the
        // description keeps its own form, so the dialog hides this added part.
        const QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}

std::optional<QString> QtFileDialogRunner::runSaveDialog(QWidget* parent, const QString& title,
                                                         const QStringList& nameFilters,
                                                         const QString& fileName) {
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOptions(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(nameFilters);
    if (!nameFilters.isEmpty()) {
        dialog.selectNameFilter(nameFilters.first());
    }
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

QStringList QtFileDialogRunner::runOpenDialog(QWidget* parent, const QString& title,
                                              const QStringList& nameFilters, bool several,
                                              const QString& folder) {
    QFileDialog dialog(parent, title, folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(nameFilters);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

std::optional<QString> QtFileDialogRunner::runFolderDialog(QWidget* parent, const QString& title,
                                                           const QString& folder) {
    const QString chosen = QFileDialog::getExistingDirectory(parent, title, folder);
    return chosen.isEmpty() ? std::nullopt : std::optional(chosen);
}

CommonDialog::CommonDialog(QString title, QString filter, QString fileName,
                           FileDialogRunner& runner)
    : title_(std::move(title)),
      filter_(std::move(filter)),
      fileName_(std::move(fileName)),
      runner_(runner) {}

bool CommonDialog::ShowSave(QWidget* parent) {
    const auto chosen = runner_.runSaveDialog(parent, title_, NameFilters(filter_), fileName_);
    if (chosen) {
        fileName_ = *chosen;
    }
    return chosen.has_value();
}

bool CommonDialog::ShowOpen(QWidget* parent) {
    const QStringList chosen = runner_.runOpenDialog(parent, title_, NameFilters(filter_), false);
    if (!chosen.isEmpty()) {
        fileName_ = chosen.first();
    }
    return !chosen.isEmpty();
}
