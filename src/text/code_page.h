#pragma once
// Conversions between UTF-16 text and byte encodings. Every conversion that touches
// the ANSI code page goes through here, so a Windows build can swap in the code-page
// calls of its platform without touching the callers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::codepage {

// Code page numbers as Windows counts them; 0 is the ANSI code page, which is GB18030
// (54936) on every platform: it gives GBK's bytes for all GBK text and encodes every
// other character too, so nothing typed is lost.
inline constexpr std::int32_t kAnsi = 0;
inline constexpr std::int32_t kGb18030 = 54936;
inline constexpr std::int32_t kUtf8 = 65001;

// Invalid byte sequences come out as U+FFFD; nullopt only for an unknown code page.
std::optional<std::u16string> Decode(std::string_view bytes, std::int32_t codePage);

// Lone surrogates are encoded as U+FFFD; characters the code page lacks as '?'.
// nullopt only for an unknown code page.
std::optional<std::string> Encode(std::u16string_view text, std::int32_t codePage);

// Bytes in any charset iconv knows (its name for it), invalid sequences as U+FFFD; UTF-8 and
// UTF-16 and UTF-32 of either order are decoded here.
std::u16string DecodeCharset(std::string_view bytes, const char* charset);

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
