#include "text/code_page.h"

#include "platform/charset_conversion.h"

#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace velmora::codepage {
namespace {

// The iconv name of a code page, or nullptr for one iconv is not asked about.
const char* IconvName(std::int32_t codePage) {
    switch (codePage) {
        case kAnsi:
        case kGb18030:
            return "GB18030";
        case 936:
            return "GBK";
        default:
            return nullptr;
    }
}

// The characters of the Basic Multilingual Plane in a Chinese charset, each asked of iconv
// once, when first met: then a look a character, where iconv takes two conversion steps.
class BmpTable {
public:
    explicit BmpTable(const char* charset)
        : charset_(charset), bytes_(0x10000), lengths_(0x10000) {}

    // Nothing for text with a surrogate: the table holds no character past the plane.
    std::optional<std::string> Encode(std::u16string_view text) {
        std::string bytes(text.size() * 4, '\0');
        char* out = bytes.data();
        for (const char16_t unit : text) {
            if (lengths_[unit] == 0) {
                if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
                    return std::nullopt;
                }
                Learn(unit);
            }
            // All four bytes go, as one store; the next character writes over the spare ones.
            std::memcpy(out, bytes_[unit].data(), 4);
            out += lengths_[unit];
        }
        bytes.resize(static_cast<std::size_t>(out - bytes.data()));
        return bytes;
    }

private:
    void Learn(char16_t unit) {
        const std::string encoded =
            EncodeCharsetText(std::u16string_view(&unit, 1), charset_).value_or("?");
        // One character takes at most four bytes in either charset.
        lengths_[unit] = static_cast<std::uint8_t>(encoded.copy(bytes_[unit].data(), 4));
    }

    const char* charset_;
    std::vector<std::array<char, 4>> bytes_;
    std::vector<std::uint8_t> lengths_;  // 0: not asked yet
};

// Each thread keeps its own, as it keeps its converters.
BmpTable& TableFor(std::string_view charset) {
    if (charset == "GBK") {
        thread_local BmpTable gbk("GBK");
        return gbk;
    }
    thread_local BmpTable gb18030("GB18030");
    return gb18030;
}

}  // namespace

std::u16string DecodeCharset(std::string_view bytes, const char* charset) {
    const std::string_view name = charset;
    if (name == "UTF-8") {
        return FromUtf8(bytes);
    }
    if (name.starts_with("UTF-16")) {
        return DecodeUtf16(bytes, name == "UTF-16BE");
    }
    if (name.starts_with("UTF-32")) {
        return DecodeUtf32(bytes, name == "UTF-32BE");
    }
    return DecodeCharsetBytes(bytes, charset).value_or(FromUtf8(bytes));
}

std::optional<std::u16string> Decode(std::string_view bytes, std::int32_t codePage) {
    if (codePage == kUtf8) {
        return FromUtf8(bytes);
    }
    const char* charset = IconvName(codePage);
    if (charset == nullptr) {
        return std::nullopt;
    }
    // GB18030 and GBK leave ASCII as it is: spare iconv the common case.
    return IsAscii(bytes) ? Widen(bytes) : DecodeCharsetBytes(bytes, charset);
}

std::optional<std::string> Encode(std::u16string_view text, std::int32_t codePage) {
    if (codePage == kUtf8) {
        return ToUtf8(text);
    }
    const char* charset = IconvName(codePage);
    if (charset == nullptr) {
        return std::nullopt;
    }
    if (IsAscii(text)) {
        return Narrow(text);
    }
    // Characters past the plane, and lone surrogates, are rare: iconv takes them.
    if (auto bytes = TableFor(charset).Encode(text)) {
        return bytes;
    }
    return EncodeCharsetText(WellFormed(text), charset);
}

}  // namespace velmora::codepage
