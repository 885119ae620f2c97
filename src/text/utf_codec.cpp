#include "text/utf_codec.h"

#include <algorithm>

namespace velmora::codepage {
namespace {

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

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsAscii(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t u) { return u < 0x80; });
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

}  // namespace velmora::codepage
