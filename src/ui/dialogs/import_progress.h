#pragma once
// An import's progress as the window shows it, or a conversion's: nothing for a short one;
// after half a second, a dialog with a bar and a cancel button, which keeps the window
// painted.

#include <QElapsedTimer>
#include <QProgressDialog>
#include <functional>
#include <memory>

#include "import/importer.h"

class ImportProgressDialog : public velmora::ImportProgress {
public:
    // `allowed` says no once the program is ending; `what` and `title` say what is going on
    // (an import's, when empty).
    ImportProgressDialog(QWidget* parent, std::function<bool()> allowed, QString what = {},
                         QString title = {});
    bool Going(std::size_t done, std::size_t total) override;

private:
    QWidget* parent_;
    std::function<bool()> allowed_;
    QString what_;
    QString title_;
    QElapsedTimer clock_;
    qint64 shownAt_ = 0;
    std::unique_ptr<QProgressDialog> dialog_;
};
