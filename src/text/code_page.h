#pragma once
// Conversions between UTF-16 text and byte encodings. Every conversion that touches
// the ANSI code page goes through here, so a Windows build can swap in the code-page
// calls of its platform without touching the callers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The callers of the code pages convert UTF text too; they find both through this header.
#include "text/utf_codec.h"

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

}  // namespace velmora::codepage
