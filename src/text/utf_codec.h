#pragma once
// The UTF codecs: UTF-8, UTF-16 and UTF-32 to and from the program's UTF-16 text, every
// invalid sequence read as U+FFFD. Code pages and iconv are code_page.h's; these need
// neither, and every page and record goes through them.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::codepage {

inline constexpr char16_t kReplacement = u'\uFFFD';

inline bool IsHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
inline bool IsLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// ASCII is the same in UTF-8 and in every code page here: text of it alone is taken a byte
// for a unit, the common case spared any decoder.
bool IsAscii(std::string_view bytes);
bool IsAscii(std::u16string_view text);
std::u16string Widen(std::string_view ascii);
std::string Narrow(std::u16string_view ascii);

std::u16string FromUtf8(std::string_view bytes);
std::string ToUtf8(std::u16string_view text);
bool IsValidUtf8(std::string_view bytes);

// UTF-16 units as the bytes hold them; an odd last byte is a unit with a high byte 00 when
// little-endian, and is dropped when big-endian.
std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian);
// UTF-32 of either order; an invalid code point or a cut-off last unit becomes U+FFFD.
std::u16string DecodeUtf32(std::string_view bytes, bool bigEndian);

// The text with every lone surrogate replaced by U+FFFD.
std::u16string WellFormed(std::u16string_view text);

// The code point at text[i], moving i past it; a lone surrogate reads as U+FFFD.
char32_t NextCodePoint(std::u16string_view text, std::size_t& i);

// Appends a code point in UTF-16; one that is no character (a surrogate, or past
// U+10FFFF) as U+FFFD.
void AppendCodePoint(std::u16string& text, char32_t cp);
// Writes a code point, one no greater than U+10FFFF, in UTF-8 at `out` (room for four
// bytes), returning the end of what it wrote. Inline: every page goes through it a
// character at a time.
inline char* PutUtf8(char* out, char32_t cp) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
        return out;
    }
    if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (cp >> 18));
        *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    return out;
}

// Appends the text in UTF-8, lone surrogates as U+FFFD.
void AppendUtf8(std::string& bytes, std::u16string_view text);

}  // namespace velmora::codepage
