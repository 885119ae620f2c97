#include "ui/phone/qr_image.h"

#include <qrencode.h>

#include <QByteArray>
#include <memory>

namespace {

constexpr int kQuietZone = 4;

struct FreeCode {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

}  // namespace

QImage QrImage(const QByteArray& text, int side) {
    const std::unique_ptr<QRcode, FreeCode> code(
        QRcode_encodeString8bit(text.constData(), 0, QR_ECLEVEL_M));
    if (!code) {
        return {};
    }
    const int modules = code->width + 2 * kQuietZone;
    const int scale = std::max(1, side / modules);
    QImage image(modules * scale, modules * scale, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            // The low bit of each module says dark.
            if ((code->data[y * code->width + x] & 1) == 0) {
                continue;
            }
            for (int dy = 0; dy < scale; ++dy) {
                uchar* line = image.scanLine((y + kQuietZone) * scale + dy);
                std::fill_n(line + (x + kQuietZone) * scale, scale, uchar{0});
            }
        }
    }
    return image;
}
