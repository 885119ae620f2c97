#include "text/text_detection.h"

#include <unicode/ucsdet.h>
#include <unicode/utf8.h>

#include <memory>

#include "text/code_page.h"
#include "text/text_utf.h"

namespace velmora {
namespace {

// What the detector may answer, and the name iconv decodes it by: the Windows code pages,
// which the Big5, Shift_JIS and EUC-KR that files come in mostly are.
constexpr std::pair<std::string_view, const char*> kCandidates[] = {
    {"UTF-16LE", "UTF-16LE"}, {"UTF-16BE", "UTF-16BE"}, {"UTF-32LE", "UTF-32LE"},
    {"UTF-32BE", "UTF-32BE"}, {"GB18030", "GB18030"},   {"Big5", "CP950"},
    {"Shift_JIS", "CP932"},   {"EUC-KR", "CP949"},
};

// Enough of a text for the detector to tell the encodings apart, no more: its cost grows
// with what it reads.
constexpr std::size_t kSample = 256;

// What the detector reads of an 8-bit text: each run of ASCII bytes as its first byte only.
// That byte may be a trail byte of the character before it (in Big5, GBK and Shift_JIS),
// the rest are characters of their own in every one of these encodings: the multibyte
// characters stay whole, and the time tags and blanks of a lyric file no longer fill the
// sample. A wide text is read as it is.
std::string Sample(std::string_view bytes, bool wide) {
    if (wide) {
        return std::string(bytes.substr(0, kSample * 8));
    }
    std::string sample;
    for (std::size_t i = 0; i < bytes.size() && sample.size() < kSample; ++i) {
        const bool ascii = static_cast<unsigned char>(bytes[i]) < 0x80;
        if (!ascii || i == 0 || static_cast<unsigned char>(bytes[i - 1]) >= 0x80) {
            sample += bytes[i];
        }
    }
    return sample;
}

bool IsWide(std::string_view charset) {
    return charset.starts_with("UTF-16") || charset.starts_with("UTF-32");
}

// What the detector gives every encoding it found no fault with, and no sign of either: on
// a few characters Big5, GB18030 and Shift_JIS all get it, in no useful order.
constexpr std::int32_t kNoEvidence = 10;

// An 8-bit text never holds a NUL byte, a wide one (its ASCII, its line ends) nearly always:
// on a few lines of Chinese the detector's guess needs this check. An 8-bit text the
// detector has no evidence for is read in the program's code page, GB18030: of the double-
// byte encodings it is the likeliest, and it keeps the pairs of Big5 and GBK, so the tags
// of a lyric file stay whole (Shift_JIS reads some lead bytes alone and swallows a "]").
const char* Detected(std::string_view bytes) {
    const bool nul = bytes.find('\0') != std::string_view::npos;
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UCharsetDetector, decltype(&ucsdet_close)> detector(ucsdet_open(&status),
                                                                              ucsdet_close);
    const std::string sample = Sample(bytes, nul);
    ucsdet_setText(detector.get(), sample.data(), static_cast<std::int32_t>(sample.size()),
                   &status);

    std::int32_t count = 0;
    const UCharsetMatch** matches = ucsdet_detectAll(detector.get(), &count, &status);
    for (std::int32_t i = 0; U_SUCCESS(status) && i < count; ++i) {
        const std::string_view name = ucsdet_getName(matches[i], &status);
        for (const auto& [candidate, charset] : kCandidates) {
            if (U_SUCCESS(status) && name == candidate && IsWide(candidate) == nul) {
                return nul || ucsdet_getConfidence(matches[i], &status) > kNoEvidence ? charset
                                                                                      : "GB18030";
            }
        }
    }
    return "GB18030";
}

// A UTF-8 text but for a stray byte or a character cut at its end: more of its sequences of
// several bytes are valid than not, and those that are not are a few (at most three, or one
// in twenty). Text in a double-byte encoding makes valid UTF-8 by chance, rarely.
bool MostlyUtf8(std::string_view bytes) {
    std::size_t valid = 0;
    std::size_t invalid = 0;
    const auto* units = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const auto length = static_cast<std::int32_t>(std::min<std::size_t>(bytes.size(), INT32_MAX));
    for (std::int32_t i = 0; i < length;) {
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(units, i, length, c);
        if (c < 0) {
            ++invalid;
        } else if (i - start > 1) {
            ++valid;
        }
    }
    return valid > invalid && (invalid <= 3 || invalid * 20 <= valid);
}

// Every four bytes a code point, in the order given.
bool FitsUtf32(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 4 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        std::uint32_t value = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const auto byte = static_cast<std::uint8_t>(bytes[i + (bigEndian ? k : 3 - k)]);
            value = value << 8 | byte;
        }
        if (value > 0x10FFFF) {
            return false;
        }
    }
    return true;
}

// UTF-16 without a byte-order mark: its ASCII and line ends leave a zero in every other
// byte, the high one, and CJK hardly any. What could be UTF-32 is left to the detector.
const char* Utf16ByItsZeros(std::string_view bytes) {
    if (bytes.size() % 2 != 0 || bytes.find('\0') == std::string_view::npos ||
        FitsUtf32(bytes, false) || FitsUtf32(bytes, true)) {
        return nullptr;
    }
    std::size_t even = 0;
    std::size_t odd = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0') {
            ++(i % 2 == 0 ? even : odd);
        }
    }
    if (odd == even) {
        return nullptr;
    }
    // And it holds text: no control character but tabs and line ends.
    const bool bigEndian = even > odd;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto high = static_cast<std::uint8_t>(bytes[i + (bigEndian ? 0 : 1)]);
        const auto low = static_cast<std::uint8_t>(bytes[i + (bigEndian ? 1 : 0)]);
        if (high == 0 && low < 0x20 && low != '\t' && low != '\r' && low != '\n') {
            return nullptr;
        }
    }
    return bigEndian ? "UTF-16BE" : "UTF-16LE";
}

}  // namespace

TextEncodingFound DetectEncoding(std::string_view bytes) {
    mTextUTF::TextEncoding marked = mTextUTF::kAnsi;
    const auto mark =
        static_cast<std::size_t>(mTextUTF::BomToEncoding(mTextUTF::HeadOf(bytes), marked));
    switch (marked) {
        case mTextUTF::kUtf8:
            return {"UTF-8", mark};
        case mTextUTF::kUtf16LE:
            return {"UTF-16LE", mark};
        case mTextUTF::kUtf16BE:
            return {"UTF-16BE", mark};
        case mTextUTF::kUtf32LE:
            return {"UTF-32LE", mark};
        case mTextUTF::kUtf32BE:
            return {"UTF-32BE", mark};
        default:
            if (const char* wide = Utf16ByItsZeros(bytes)) {
                return {wide, 0};
            }
            if (codepage::IsValidUtf8(bytes) || MostlyUtf8(bytes)) {
                return {"UTF-8", 0};
            }
            return {Detected(bytes), 0};
    }
}

std::optional<std::u16string> DecodeTextFile(std::string_view bytes) {
    const TextEncodingFound found = DetectEncoding(bytes);
    const std::string_view content = bytes.substr(std::min(found.mark, bytes.size()));
    if (!IsWide(found.charset) && content.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    return codepage::DecodeCharset(content, found.charset.c_str());
}

std::u16string DecodeFileName(std::string_view bytes) {
    return codepage::IsValidUtf8(bytes) ? codepage::FromUtf8(bytes)
                                        : DecodeTextFile(bytes).value_or(codepage::FromUtf8(bytes));
}

}  // namespace velmora
