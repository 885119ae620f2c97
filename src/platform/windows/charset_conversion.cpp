#include "platform/charset_conversion.h"

#include <windows.h>

#include <string_view>

namespace velmora {
namespace {

// iconv's names of the charsets the program converts, as Windows numbers them.
UINT CodePageOf(std::string_view charset) {
    constexpr std::pair<std::string_view, UINT> kCodePages[] = {
        {"GB18030", 54936}, {"GBK", 936},   {"CP936", 936},     {"CP950", 950},
        {"CP932", 932},     {"CP949", 949}, {"UTF-8", CP_UTF8}, {"ISO-8859-1", 28591},
    };
    for (const auto& [name, codePage] : kCodePages) {
        if (name != charset) {
            continue;
        }
        if (::IsValidCodePage(codePage)) {
            return codePage;
        }
        // A system without GB18030 (Wine) still has GBK, which GB18030 extends: its two-byte
        // characters read and write alike.
        return codePage == 54936 && ::IsValidCodePage(936) ? 936 : 0;
    }
    return 0;
}

}  // namespace

std::optional<std::u16string> DecodeCharsetBytes(std::string_view bytes, const char* charset) {
    const UINT codePage = CodePageOf(charset);
    if (codePage == 0) {
        return std::nullopt;
    }
    // No charset here yields more UTF-16 units than it has bytes; an invalid sequence
    // comes out as U+FFFD.
    std::u16string text(bytes.size(), u'\0');
    const int length = ::MultiByteToWideChar(
        codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
        reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::optional<std::string> EncodeCharsetText(std::u16string_view text, const char* charset) {
    const UINT codePage = CodePageOf(charset);
    if (codePage == 0) {
        return std::nullopt;
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    std::string bytes(static_cast<std::size_t>(::WideCharToMultiByte(codePage, 0, wide, size,
                                                                     nullptr, 0, nullptr, nullptr)),
                      '\0');
    ::WideCharToMultiByte(codePage, 0, wide, size, bytes.data(), static_cast<int>(bytes.size()),
                          nullptr, nullptr);
    return bytes;
}

}  // namespace velmora
