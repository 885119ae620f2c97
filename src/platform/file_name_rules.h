#pragma once
// What a file's name may hold on this system: the bytes of a title that cannot be in a book's
// file name, and the names Windows keeps for its devices ("CON.epub" is the console there).

#include <algorithm>
#include <array>
#include <string_view>

namespace velmora {

#ifdef _WIN32
inline bool ForbiddenInFileName(char c) {
    return (c >= '\0' && c < ' ') ||
           std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
}

inline bool DeviceName(std::string_view stem) {
    static constexpr std::array<std::string_view, 22> kDevices{
        "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
        "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    return std::any_of(kDevices.begin(), kDevices.end(), [stem](std::string_view device) {
        return std::equal(stem.begin(), stem.end(), device.begin(), device.end(),
                          [](char a, char b) { return (a >= 'a' && a <= 'z' ? a - 32 : a) == b; });
    });
}
#else
inline bool ForbiddenInFileName(char c) {
    return c == '/' || c == '\0';
}

inline bool DeviceName(std::string_view) {
    return false;
}
#endif

}  // namespace velmora
