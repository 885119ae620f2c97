#pragma once
// What every text a reader hands on must look like, whatever it was given.

#include <string_view>

namespace velmora::fuzz {

// Line ends are CR LF and nothing else.
inline bool OnlyCrLf(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n')) ||
            (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))) {
            return false;
        }
    }
    return true;
}

inline bool OneLine(std::u16string_view text) {
    return text.find_first_of(u"\r\n") == std::u16string_view::npos;
}

}  // namespace velmora::fuzz
