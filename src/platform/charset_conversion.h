#pragma once
// Text in a named charset to UTF-16 and back, by the system's own converters: iconv on
// Linux, the code-page calls on Windows. Charsets go by iconv's names ("GB18030", "GBK",
// "CP950", "CP932", "CP949").

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Invalid or cut-off sequences come out as U+FFFD; nullopt for a charset the system lacks.
std::optional<std::u16string> DecodeCharsetBytes(std::string_view bytes, const char* charset);
// Characters the charset lacks come out as '?', each once; `text` holds no lone surrogate.
// nullopt for a charset the system lacks.
std::optional<std::string> EncodeCharsetText(std::u16string_view text, const char* charset);

}  // namespace velmora
