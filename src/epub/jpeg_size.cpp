#include "epub/jpeg_size.h"

namespace velmora {
namespace {

int Byte(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

int Word(std::string_view bytes, std::size_t at) {
    return Byte(bytes, at) << 8 | Byte(bytes, at + 1);
}

// SOF0 to SOF15, less DHT, JPG and DAC, which share their range.
bool IsFrameHeader(int marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

}  // namespace

std::optional<PixelSize> JpegSize(std::string_view jpeg) {
    if (jpeg.size() < 4 || Byte(jpeg, 0) != 0xFF || Byte(jpeg, 1) != 0xD8) {
        return std::nullopt;
    }
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && Byte(jpeg, at) == 0xFF) {
        const int marker = Byte(jpeg, at + 1);
        // Fill bytes before a marker.
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        const std::size_t length = static_cast<std::size_t>(Word(jpeg, at + 2));
        if (IsFrameHeader(marker)) {
            if (length < 7 || at + 9 > jpeg.size()) {
                return std::nullopt;
            }
            const PixelSize size{Word(jpeg, at + 7), Word(jpeg, at + 5)};
            // A height of 0 is given later, in a segment after the scan: unknown here.
            return size.width > 0 && size.height > 0 ? std::optional(size) : std::nullopt;
        }
        // The scan starts: a frame header would have come before it.
        if (marker == 0xDA || length < 2) {
            return std::nullopt;
        }
        at += 2 + length;
    }
    return std::nullopt;
}

}  // namespace velmora
