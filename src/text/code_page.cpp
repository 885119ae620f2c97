#include "text/code_page.h"

#include <iconv.h>

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

const char* NativeUtf16() {
    return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
}

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // One step of iconv(3): true when all input was taken, false with errno set otherwise.
    bool step(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
        auto* input = const_cast<char*>(in);
        std::size_t rc = iconv(cd_, &input, &inLeft, &out, &outLeft);
        in = input;
        return rc != static_cast<std::size_t>(-1);
    }

    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t cd_;
};

// Opening a converter costs more than converting a song: each thread keeps those it opened.
Converter& OpenConverter(const char* to, const char* from) {
    thread_local std::map<std::pair<std::string, std::string>, std::unique_ptr<Converter>> open;
    std::unique_ptr<Converter>& converter = open[{to, from}];
    if (!converter) {
        converter = std::make_unique<Converter>(to, from);
    }
    if (converter->valid()) {
        converter->reset();
    }
    return *converter;
}

std::optional<std::u16string> DecodeWithIconv(std::string_view bytes, const char* charset) {
    Converter& converter = OpenConverter(NativeUtf16(), charset);
    if (!converter.valid()) {
        return std::nullopt;
    }
    // No charset iconv is asked about yields more UTF-16 units than it has bytes.
    std::u16string text(bytes.size(), u'\0');
    const char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    char* out = reinterpret_cast<char*>(text.data());
    std::size_t outLeft = text.size() * sizeof(char16_t);
    while (inLeft > 0 && !converter.step(in, inLeft, out, outLeft)) {
        // An invalid or cut-off sequence costs at least one byte and yields one unit.
        std::memcpy(out, &kReplacement, sizeof kReplacement);
        out += sizeof(char16_t);
        outLeft -= sizeof(char16_t);
        if (errno == EINVAL) {
            break;
        }
        ++in;
        --inLeft;
        converter.reset();
    }
    text.resize(text.size() - outLeft / sizeof(char16_t));
    return text;
}

std::optional<std::string> EncodeWithIconv(std::u16string_view text, const char* charset) {
    Converter& converter = OpenConverter(charset, NativeUtf16());
    if (!converter.valid()) {
        return std::nullopt;
    }
    const std::u16string clean = WellFormed(text);
    std::string bytes(clean.size() * 4, '\0');
    const char* in = reinterpret_cast<const char*>(clean.data());
    std::size_t inLeft = clean.size() * sizeof(char16_t);
    char* out = bytes.data();
    std::size_t outLeft = bytes.size();
    while (inLeft > 0 && !converter.step(in, inLeft, out, outLeft)) {
        // A character the charset lacks: one '?' for the whole character.
        const auto unit = *reinterpret_cast<const char16_t*>(in);
        const std::size_t skip = IsHighSurrogate(unit) ? 4 : 2;
        *out++ = '?';
        --outLeft;
        in += skip;
        inLeft -= skip;
        converter.reset();
    }
    bytes.resize(bytes.size() - outLeft);
    return bytes;
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
            EncodeWithIconv(std::u16string_view(&unit, 1), charset_).value_or("?");
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
    return DecodeWithIconv(bytes, charset).value_or(FromUtf8(bytes));
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
    return IsAscii(bytes) ? Widen(bytes) : DecodeWithIconv(bytes, charset);
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
    return EncodeWithIconv(text, charset);
}

}  // namespace velmora::codepage
