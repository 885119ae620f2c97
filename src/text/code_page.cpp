#include "text/code_page.h"

#include <iconv.h>

#include <algorithm>
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

constexpr char16_t kReplacement = u'\uFFFD';

bool IsHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsAscii(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t u) { return u < 0x80; });
}

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

std::u16string Widen(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

std::string Narrow(std::u16string_view ascii) {
    std::string bytes(ascii.size(), '\0');
    std::transform(ascii.begin(), ascii.end(), bytes.begin(),
                   [](char16_t u) { return static_cast<char>(u); });
    return bytes;
}

// Length of the UTF-8 sequence led by `lead`, with the bounds of its second byte, so that
// overlong forms, surrogates and code points above U+10FFFF count as invalid.
struct LeadInfo {
    int length;
    unsigned char secondMin;
    unsigned char secondMax;
};

LeadInfo Lead(unsigned char b) {
    if (b >= 0xC2 && b <= 0xDF)
        return {2, 0x80, 0xBF};
    if (b == 0xE0)
        return {3, 0xA0, 0xBF};
    if (b == 0xED)
        return {3, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF)
        return {3, 0x80, 0xBF};
    if (b == 0xF0)
        return {4, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3)
        return {4, 0x80, 0xBF};
    if (b == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// Bytes of the text in UTF-8, a lone surrogate taking the three of U+FFFD.
std::size_t Utf8Length(std::u16string_view text) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80) {
            length += 1;
        } else if (unit < 0x800) {
            length += 2;
        } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            length += 4;
            ++i;
        } else {
            length += 3;
        }
    }
    return length;
}

}  // namespace

char32_t NextCodePoint(std::u16string_view text, std::size_t& i) {
    const char16_t unit = text[i++];
    if (IsHighSurrogate(unit) && i < text.size() && IsLowSurrogate(text[i])) {
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i++] - 0xDC00);
    }
    return IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacement : unit;
}

void AppendCodePoint(std::u16string& text, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        text.push_back(kReplacement);
    } else if (cp >= 0x10000) {
        text.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
        text.push_back(static_cast<char16_t>(cp));
    }
}

std::u16string WellFormed(std::u16string_view text) {
    std::u16string clean;
    clean.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        AppendCodePoint(clean, NextCodePoint(text, i));
    }
    return clean;
}

std::u16string FromUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) {
        return Widen(bytes);
    }
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            text.push_back(b);
            ++i;
            continue;
        }
        const LeadInfo lead = Lead(b);
        char32_t cp = b & (0x7F >> lead.length);
        int taken = 1;
        // A maximal valid prefix of a broken sequence becomes one U+FFFD.
        while (lead.length > 0 && taken < lead.length && i + taken < bytes.size()) {
            const auto next = static_cast<unsigned char>(bytes[i + taken]);
            const unsigned char lo = taken == 1 ? lead.secondMin : 0x80;
            const unsigned char hi = taken == 1 ? lead.secondMax : 0xBF;
            if (next < lo || next > hi) {
                break;
            }
            cp = (cp << 6) | (next & 0x3F);
            ++taken;
        }
        if (lead.length > 0 && taken == lead.length) {
            AppendCodePoint(text, cp);
        } else {
            text.push_back(kReplacement);
        }
        i += static_cast<std::size_t>(taken);
    }
    return text;
}

void AppendUtf8(std::string& bytes, std::u16string_view text) {
    // Sized exactly first: a document's worth of spare room costs more to clear than to count.
    const std::size_t start = bytes.size();
    bytes.resize(start + Utf8Length(text));
    char* out = bytes.data() + start;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < 0x80) {
            *out++ = static_cast<char>(text[i++]);
        } else {
            out = PutUtf8(out, NextCodePoint(text, i));
        }
    }
}

std::string ToUtf8(std::u16string_view text) {
    if (IsAscii(text)) {
        return Narrow(text);
    }
    std::string bytes;
    AppendUtf8(bytes, text);
    return bytes;
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const LeadInfo lead = b < 0x80 ? LeadInfo{1, 0, 0} : Lead(b);
        if (lead.length == 0 || i + static_cast<std::size_t>(lead.length) > bytes.size()) {
            return false;
        }
        for (int k = 1; k < lead.length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (next < (k == 1 ? lead.secondMin : 0x80) ||
                next > (k == 1 ? lead.secondMax : 0xBF)) {
                return false;
            }
        }
        i += static_cast<std::size_t>(lead.length);
    }
    return true;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve((bytes.size() + 1) / 2);
    for (std::size_t i = 0; i + (bigEndian ? 1 : 0) < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        text.push_back(
            static_cast<char16_t>(bigEndian ? (first << 8) | second : first | (second << 8)));
    }
    return text;
}

std::u16string DecodeUtf32(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    for (std::size_t i = 0; i + 3 < bytes.size(); i += 4) {
        char32_t cp = 0;
        for (int k = 0; k < 4; ++k) {
            const int shift = 8 * (bigEndian ? 3 - k : k);
            cp |= static_cast<char32_t>(static_cast<unsigned char>(bytes[i + k])) << shift;
        }
        AppendCodePoint(text, cp);
    }
    if (bytes.size() % 4 != 0) {
        text.push_back(kReplacement);
    }
    return text;
}

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
