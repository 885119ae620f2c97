#include "cover/png_orientation.h"

#include <libexif/exif-data.h>

#include <memory>
#include <string_view>

namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
// A chunk's length and type before its data, its CRC after.
constexpr qsizetype kChunkHead = 8;
constexpr qsizetype kChunkCrc = 4;

quint32 BigEndian(const QByteArray& bytes, qsizetype at) {
    quint32 value = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// The data of the eXIf chunk, or nothing.
QByteArray ExifChunk(const QByteArray& png) {
    if (!png.startsWith(QByteArray::fromRawData(kSignature.data(), kSignature.size()))) {
        return {};
    }
    for (qsizetype at = kSignature.size(); at + kChunkHead <= png.size();) {
        const qsizetype length = BigEndian(png, at);
        const QByteArray type = png.mid(at + 4, 4);
        if (length > png.size() - at - kChunkHead || type == "IEND") {
            break;
        }
        if (type == "eXIf") {
            return png.mid(at + kChunkHead, length);
        }
        at += kChunkHead + length + kChunkCrc;
    }
    return {};
}

// EXIF's orientations 1 to 8 as Qt names them.
QImageIOHandler::Transformations FromExif(int orientation) {
    using T = QImageIOHandler;
    switch (orientation) {
        case 2:
            return T::TransformationMirror;
        case 3:
            return T::TransformationRotate180;
        case 4:
            return T::TransformationFlip;
        case 5:
            return T::TransformationFlipAndRotate90;
        case 6:
            return T::TransformationRotate90;
        case 7:
            return T::TransformationMirrorAndRotate90;
        case 8:
            return T::TransformationRotate270;
        default:
            return T::TransformationNone;
    }
}

}  // namespace

QImageIOHandler::Transformations PngOrientation(const QByteArray& png) {
    const QByteArray chunk = ExifChunk(png);
    if (chunk.isEmpty()) {
        return QImageIOHandler::TransformationNone;
    }
    // libexif reads an EXIF block as a JPEG's APP1 segment holds it: after "Exif\0\0".
    const QByteArray block = QByteArray("Exif\0\0", 6) + chunk;
    const std::unique_ptr<ExifData, decltype(&exif_data_unref)> exif(
        exif_data_new_from_data(reinterpret_cast<const unsigned char*>(block.constData()),
                                static_cast<unsigned int>(block.size())),
        exif_data_unref);
    const ExifEntry* entry =
        exif ? exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION) : nullptr;
    if (entry == nullptr || entry->format != EXIF_FORMAT_SHORT || entry->size < 2) {
        return QImageIOHandler::TransformationNone;
    }
    return FromExif(exif_get_short(entry->data, exif_data_get_byte_order(exif.get())));
}
