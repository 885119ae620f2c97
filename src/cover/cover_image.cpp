#include "cover/cover_image.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <cerrno>

#include "cover/jpeg_decoder.h"
#include "cover/png_orientation.h"
#include "platform/file.h"
#include "text/failure.h"
#include "text/limits.h"

namespace {

using velmora::Failure;
using velmora::Problem;

using velmora::kCoverSide;
constexpr int kQuality = 90;
// What an image other than JPEG may take decoded, at four bytes a pixel: the size it
// declares is refused beyond it before anything is read.
constexpr int kAllocationMiB = 256;
constexpr double kMostOtherPixels = kAllocationMiB * 1024.0 * 1024.0 / 4;

std::string ReadCover(const std::filesystem::path& path) {
    using Status = velmora::FileContent::Status;
    velmora::FileContent content = velmora::ReadWholeFile(path, velmora::kLargestCoverFile);
    switch (content.status) {
        case Status::Read:
            return std::move(content.bytes);
        case Status::NotRegular:
            throw Failure(Problem::CoverNotAFile, path);
        case Status::TooLarge:
            throw Failure(Problem::CoverTooLarge, path);
        default:
            throw Failure(
                content.error == ENOENT ? Problem::CoverMissing : Problem::CoverUnreadable, path,
                content.error);
    }
}

// The image turned as its EXIF orientation asks, as an image reader's auto-transform does.
QImage Upright(const QImage& image, QImageIOHandler::Transformations turn) {
    if (turn == QImageIOHandler::TransformationRotate270) {
        return image.transformed(QTransform().rotate(270));
    }
    QImage upright = image.mirrored(turn.testFlag(QImageIOHandler::TransformationMirror),
                                    turn.testFlag(QImageIOHandler::TransformationFlip));
    return turn.testFlag(QImageIOHandler::TransformationRotate90)
               ? upright.transformed(QTransform().rotate(90))
               : upright;
}

QImage ReadOther(QImageReader& reader, const QByteArray& data, const std::filesystem::path& path) {
    const QSize size = reader.size();
    if (static_cast<double>(size.width()) * size.height() > kMostOtherPixels) {
        throw Failure(Problem::CoverTooLarge, path);
    }
    QImageReader::setAllocationLimit(kAllocationMiB);
    // Qt's PNG reader does not turn a PNG as its EXIF block says: that is done here.
    const bool png = reader.format() == "png";
    reader.setAutoTransform(!png);
    const QImage image = reader.read();
    if (image.isNull()) {
        throw Failure(Problem::CoverNotAnImage, path, 0, reader.errorString().toStdString());
    }
    return png ? Upright(image, PngOrientation(data)) : image;
}

std::string Encoded(const QImage& image, const std::filesystem::path& path) {
    const QSize size = image.size().boundedTo({kCoverSide, kCoverSide}) == image.size()
                           ? image.size()
                           : image.size().scaled(kCoverSide, kCoverSide, Qt::KeepAspectRatio);
    QImage cover(size, QImage::Format_RGB32);
    cover.fill(Qt::white);
    QPainter painter(&cover);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(cover.rect(), image);
    painter.end();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    if (!buffer.open(QIODevice::WriteOnly) || !cover.save(&buffer, "JPEG", kQuality) ||
        jpeg.isEmpty()) {
        throw Failure(Problem::CoverNotEncoded, path);
    }
    return jpeg.toStdString();
}

}  // namespace

bool AsksForTemplateCover(const std::u16string& coverBox) {
    return coverBox.empty() || coverBox == kCoverBoxStart;
}

std::optional<std::string> CoverJpeg(const QString& box) {
    if (AsksForTemplateCover(box.toStdU16String())) {
        return std::nullopt;
    }
    const std::filesystem::path path = QFileInfo(box).filesystemFilePath();
    return CoverJpeg(ReadCover(path), path);
}

std::string CoverJpeg(std::string bytes, const std::filesystem::path& path) {
    const QByteArray data =
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer);
    if (reader.format() != "jpeg") {
        return Encoded(ReadOther(reader, data, path), path);
    }
    const QImageIOHandler::Transformations turn = reader.transformation();
    const DecodedJpeg decoded = DecodeJpeg(data, kCoverSide);
    if (decoded.tooLarge) {
        throw Failure(Problem::CoverTooLarge, path);
    }
    if (decoded.image.isNull()) {
        throw Failure(Problem::CoverNotAnImage, path, 0, decoded.error.toStdString());
    }
    // Decoded whole above, so known to be sound: it goes in as it is.
    if (std::max(decoded.size.width(), decoded.size.height()) <= kCoverSide &&
        static_cast<std::uint64_t>(data.size()) <= velmora::kLargestKeptJpeg &&
        turn == QImageIOHandler::TransformationNone) {
        return bytes;
    }
    return Encoded(Upright(decoded.image, turn), path);
}
