#include "import/tag_text.h"

#include <algorithm>

#include "text/code_page.h"
#include "text/failure.h"
#include "text/limits.h"

namespace velmora {

void CheckLength(const TagLib::String& text) {
    if (text.size() > kLongestLyric) {
        throw Failure(Problem::LyricTooLong);
    }
}

std::u16string Units(const TagLib::String& text) {
    CheckLength(text);
    std::u16string units;
    for (const wchar_t unit : text.toWString()) {
        units.push_back(static_cast<char16_t>(unit));
    }
    return codepage::WellFormed(units);
}

std::u16string OneLine(std::u16string text) {
    std::replace_if(
        text.begin(), text.end(), [](char16_t c) { return c < u' '; }, u' ');
    const std::size_t first = text.find_first_not_of(u' ');
    return first == std::u16string::npos
               ? u""
               : text.substr(first, text.find_last_not_of(u' ') + 1 - first);
}

}  // namespace velmora
