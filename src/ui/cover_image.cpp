#include "cover_image.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include "text/failure.h"

namespace {

constexpr int kLongestSide = 2560;
constexpr qint64 kLargestJpeg = 5 * 1024 * 1024;
constexpr int kQuality = 90;

[[noreturn]] void Refuse(const QString& path, const QString& reason) {
    throw velmora::Failure((QStringLiteral("无法使用封面：") + path + QStringLiteral("（") +
                            reason + QStringLiteral("）"))
                               .toStdU16String());
}

std::string Bytes(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

std::optional<std::string> CoverJpeg(const QString& box) {
    if (box.isEmpty() || box == QStringLiteral("Text4")) {
        return std::nullopt;
    }
    const QFileInfo info(box);
    if (!info.exists()) {
        Refuse(box, QStringLiteral("文件不存在"));
    }
    if (!info.isFile()) {
        Refuse(box, QStringLiteral("不是文件"));
    }
    QImageReader reader(box);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (reader.format() == "jpeg" && size.isValid() &&
        std::max(size.width(), size.height()) <= kLongestSide && info.size() <= kLargestJpeg) {
        QFile file(box);
        if (!file.open(QIODevice::ReadOnly)) {
            Refuse(box, file.errorString());
        }
        return Bytes(file.readAll());
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        Refuse(box, QStringLiteral("不是可用的图像：") + reader.errorString());
    }
    QImage cover(image.size().boundedTo({kLongestSide, kLongestSide}) == image.size()
                     ? image.size()
                     : image.size().scaled(kLongestSide, kLongestSide, Qt::KeepAspectRatio),
                 QImage::Format_RGB32);
    cover.fill(Qt::white);
    QPainter painter(&cover);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(cover.rect(), image);
    painter.end();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    cover.save(&buffer, "JPEG", kQuality);
    return Bytes(jpeg);
}
