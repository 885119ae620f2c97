#pragma once
// A path from the text that names it. On Linux a path is its bytes; on Windows the text is
// UTF-8, as path::string() gives it back there, and the path is UTF-16: building a path
// from a std::string straight would widen each byte by itself.

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

inline std::filesystem::path PathFromText(std::string_view text) {
#ifdef _WIN32
    return std::filesystem::path(
        std::u8string_view(reinterpret_cast<const char8_t*>(text.data()), text.size()));
#else
    return std::filesystem::path(text);
#endif
}

}  // namespace velmora
