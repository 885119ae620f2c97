#pragma once
// The fixed words of a named book, in its own script: its pages' language, their headings,
// its description and subject. A Traditional book says 目錄, 共 N 首 and zh-TW.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "text/script_conversion.h"

namespace velmora {

struct BookWords {
    std::string_view language;  // xml:lang and dc:language
    std::u16string_view cover, titlePage, contents, artists;
    std::u16string_view count;        // "共 %1 首", %1 the number
    std::u16string_view date;         // "%1年%2月%3日"
    std::u16string_view description;  // "歌词本，共 %1 首歌"
    std::u16string_view subject;
    std::u16string_view continued;  // after a song's name on its printed pages past the first
};

const BookWords& WordsOf(Script script);

// The text with %1, %2, %3 replaced by these numbers, as UTF-8.
std::string Filled(std::u16string_view text, std::initializer_list<long long> numbers);

// The day of these local seconds in the book's words: "2026年12月8日".
std::string DayOf(std::int64_t localSeconds, const BookWords& words);

}  // namespace velmora
