#pragma once
// A JPEG's size in pixels, read from its frame header without decoding it.

#include <optional>
#include <string_view>

namespace velmora {

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

// The size its first start-of-frame segment gives; nothing when the bytes hold none before
// the image data, or are cut short.
std::optional<PixelSize> JpegSize(std::string_view jpeg);

}  // namespace velmora
