#include "platform/charset_conversion.h"

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace velmora {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

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

}  // namespace

std::optional<std::u16string> DecodeCharsetBytes(std::string_view bytes, const char* charset) {
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

std::optional<std::string> EncodeCharsetText(std::u16string_view text, const char* charset) {
    Converter& converter = OpenConverter(charset, NativeUtf16());
    if (!converter.valid()) {
        return std::nullopt;
    }
    const std::u16string_view clean = text;
    std::string bytes(clean.size() * 4, '\0');
    const char* in = reinterpret_cast<const char*>(clean.data());
    std::size_t inLeft = clean.size() * sizeof(char16_t);
    char* out = bytes.data();
    std::size_t outLeft = bytes.size();
    while (inLeft > 0 && !converter.step(in, inLeft, out, outLeft)) {
        // A character the charset lacks: one '?' for the whole character.
        const auto unit = *reinterpret_cast<const char16_t*>(in);
        const std::size_t skip = (unit >= 0xD800 && unit < 0xDC00) ? 4 : 2;
        *out++ = '?';
        --outLeft;
        in += skip;
        inLeft -= skip;
        converter.reset();
    }
    bytes.resize(bytes.size() - outLeft);
    return bytes;
}

}  // namespace velmora
