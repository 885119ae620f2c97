#include "ui/dialogs/import_progress.h"

#include <QCoreApplication>

namespace {

constexpr qint64 kQuietMs = 500;
// Painting the window is dearer than importing a song: a few times a second is enough.
constexpr qint64 kRepaintMs = 100;

}  // namespace

ImportProgressDialog::ImportProgressDialog(QWidget* parent, std::function<bool()> allowed,
                                           QString what, QString title)
    : parent_(parent),
      allowed_(std::move(allowed)),
      what_(what.isEmpty() ? QCoreApplication::translate("ImportProgressDialog", "正在导入…")
                           : std::move(what)),
      title_(title.isEmpty() ? QCoreApplication::translate("ImportProgressDialog", "导入")
                             : std::move(title)) {
    clock_.start();
}

bool ImportProgressDialog::Going(std::size_t done, std::size_t total) {
    if (!dialog_ && clock_.elapsed() >= kQuietMs) {
        dialog_ = std::make_unique<QProgressDialog>(
            what_, QCoreApplication::translate("ImportProgressDialog", "取消"), 0,
            static_cast<int>(total), parent_);
        dialog_->setWindowTitle(title_);
        // Modal to the window: it is painted, but takes no other command meanwhile.
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(0);
    }
    if (dialog_ && clock_.elapsed() - shownAt_ >= kRepaintMs) {
        shownAt_ = clock_.elapsed();
        // A conversion counts its songs, then the pages it writes.
        dialog_->setMaximum(static_cast<int>(total));
        dialog_->setValue(static_cast<int>(done));
        QCoreApplication::processEvents();
    }
    return allowed_() && (!dialog_ || !dialog_->wasCanceled());
}
