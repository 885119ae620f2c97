#include "ui/cover_preview.h"

#include <QPixmap>
#include <QtConcurrent/QtConcurrentRun>

#include "cover/cover_image.h"
#include "text/failure.h"

namespace {

constexpr int kSettleMs = 300;

QImage Thumbnail(const QString& box, const QString& templateCover, int height) {
    try {
        const std::optional<std::string> jpeg = CoverJpeg(box);
        const QImage cover = jpeg ? QImage::fromData(QByteArray::fromStdString(*jpeg), "JPEG")
                                  : QImage(templateCover, "JPEG");
        return cover.isNull() ? QImage() : cover.scaledToHeight(height, Qt::SmoothTransformation);
    } catch (const velmora::Failure&) {
        return {};
    }
}

}  // namespace

CoverPreview::CoverPreview(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("CoverPreview"));
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &CoverPreview::Make);
    connect(&made_, &QFutureWatcher<QImage>::finished, this, [this] {
        setPixmap(QPixmap::fromImage(made_.result()));
        // A box changed while this one was made: the newer one now.
        if (made_.property("box").toString() != box_) {
            Make();
        }
    });
}

void CoverPreview::Show(const QString& coverBox, const QString& templateCover) {
    box_ = coverBox;
    template_ = templateCover;
    settle_.start();
}

void CoverPreview::Make() {
    if (made_.isRunning()) {
        return;  // taken up when it finishes
    }
    made_.setProperty("box", box_);
    made_.setFuture(QtConcurrent::run(Thumbnail, box_, template_, fontMetrics().height() * 3 / 2));
}
