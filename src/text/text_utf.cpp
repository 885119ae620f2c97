#include "text/text_utf.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/file.h"
#include "text/code_page.h"
#include "text/limits.h"

namespace mTextUTF {

std::int32_t AnsiCodePage = 0;

namespace {

using velmora::File;

bool IsRequest(TextEncoding encoding) {
    return encoding >= kDetect && encoding <= kUtf32BE;
}

std::int32_t CodePageOf(TextEncoding encoding) {
    return encoding == kUtf8 ? velmora::codepage::kUtf8 : AnsiCodePage;
}

std::uint32_t ReadHead(File& file) {
    std::array<unsigned char, 4> bytes{};
    file.read(bytes.data(), bytes.size());
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

std::string Utf16Bytes(const std::u16string& text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        const auto low = static_cast<char>(unit & 0xFF);
        const auto high = static_cast<char>(unit >> 8);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
    return bytes;
}

std::string Utf32Bytes(const std::u16string& text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 4);
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = velmora::codepage::NextCodePoint(text, i);
        for (int k = 0; k < 4; ++k) {
            const int shift = 8 * (bigEndian ? 3 - k : k);
            bytes.push_back(static_cast<char>((cp >> shift) & 0xFF));
        }
    }
    return bytes;
}

std::optional<std::string> Encode(const std::u16string& text, TextEncoding encoding) {
    switch (encoding) {
        case kAnsi:
        case kUtf8:
            return velmora::codepage::Encode(text, CodePageOf(encoding));
        case kUtf16LE:
        case kUtf16BE:
            return Utf16Bytes(text, encoding == kUtf16BE);
        case kUtf32LE:
        case kUtf32BE:
            return Utf32Bytes(text, encoding == kUtf32BE);
        default:
            return std::nullopt;
    }
}

}  // namespace

std::int32_t BomToEncoding(std::uint32_t head, TextEncoding& encoding) {
    if (head == 0x0000FEFFu) {
        encoding = kUtf32LE;
        return 4;
    }
    if (head == 0xFFFE0000u) {
        encoding = kUtf32BE;
        return 4;
    }
    if ((head & 0xFFFFu) == 0xFEFFu) {
        encoding = kUtf16LE;
        return 2;
    }
    if ((head & 0xFFFFu) == 0xFFFEu) {
        encoding = kUtf16BE;
        return 2;
    }
    if ((head & 0xFFFFFFu) == 0xBFBBEFu) {
        encoding = kUtf8;
        return 3;
    }
    encoding = kAnsi;
    return 0;
}

std::int32_t EncodingToBom(TextEncoding encoding, std::uint32_t& bom) {
    switch (encoding) {
        case kUtf8:
            bom = 0xBFBBEFu;
            return 3;
        case kUtf16LE:
            bom = 0xFEFFu;
            return 2;
        case kUtf16BE:
            bom = 0xFFFEu;
            return 2;
        case kUtf32LE:
            bom = 0x0000FEFFu;
            return 4;
        case kUtf32BE:
            bom = 0xFFFE0000u;
            return 4;
        default:
            bom = 0;
            return 0;
    }
}

std::uint32_t HeadOf(std::string_view bytes) {
    std::uint32_t head = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(4, bytes.size()); ++i) {
        head |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return head;
}

std::u16string DecodeText(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
        case kAnsi:
        case kUtf8:
            return velmora::codepage::Decode(bytes, CodePageOf(encoding))
                .value_or(std::u16string());
        case kUtf16LE:
        case kUtf16BE:
            return velmora::codepage::DecodeUtf16(bytes, encoding == kUtf16BE);
        default:
            return velmora::codepage::DecodeUtf32(bytes, encoding == kUtf32BE);
    }
}

std::u16string LoadText(const std::filesystem::path& path, TextEncoding& encoding) {
    if (!IsRequest(encoding)) {
        return {};
    }
    const velmora::FileContent content = velmora::ReadWholeFile(path, velmora::kLargestTextFile);
    if (!content) {
        return {};
    }
    TextEncoding detected = kAnsi;
    auto bomLength = static_cast<std::size_t>(BomToEncoding(HeadOf(content.bytes), detected));
    if (encoding == kDetect) {
        encoding = detected;
    } else if (encoding != detected) {
        // A BOM of another encoding is content, not a mark.
        bomLength = 0;
    }
    // A file shorter than its mark ("FF FE" reads as the head FF FE 00 00) holds no text.
    if (content.bytes.size() < bomLength) {
        return {};
    }
    return DecodeText(std::string_view(content.bytes).substr(bomLength), encoding);
}

bool SaveText(const std::filesystem::path& path, const std::u16string& text, bool append,
              TextEncoding& encoding, TextEncoding defaultEncoding) {
    if (!(encoding >= kAnsi && encoding <= kUtf32BE) && !(encoding == kDetect && append)) {
        return false;
    }
    File file(path, append ? File::Mode::OpenAlways : File::Mode::CreateAlways);
    if (!file.isOpen()) {
        return false;
    }
    // A file just truncated is empty; only an append needs to ask.
    const std::optional<std::uint64_t> size = append ? file.size() : 0;
    if (size && *size == 0) {
        append = false;
        if (encoding == kDetect) {
            encoding = defaultEncoding;
        }
    }
    std::uint32_t bom = 0;
    std::int32_t bomLength = 0;
    if (encoding == kDetect && append) {
        BomToEncoding(ReadHead(file), encoding);
    } else if (!append) {
        bomLength = EncodingToBom(encoding, bom);
    }
    // A file opened with truncation is at its start already.
    if (append && !file.seekToEnd()) {
        return false;
    }
    std::string bytes;
    for (std::int32_t i = 0; i < bomLength; ++i) {
        bytes.push_back(static_cast<char>((bom >> (8 * i)) & 0xFF));
    }
    if (text.empty()) {
        return file.write(bytes.data(), bytes.size()) && file.close();
    }
    const std::optional<std::string> encoded = Encode(text, encoding);
    if (encoded && !encoded->empty()) {
        bytes += *encoded;
    }
    // The mark and the text go out in one write. A failed write is reported: a page cut
    // short on a full disk is not a saved page.
    const bool written = file.write(bytes.data(), bytes.size()) && file.close();
    return written && encoded && !encoded->empty();
}

}  // namespace mTextUTF
