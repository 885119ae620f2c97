#include <random>

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "text/code_page.h"
#include "text/text_utf.h"

namespace mTextUTF {
namespace {

// Random non-empty text mixing ASCII, controls, CJK, astral characters and lone surrogates.
// (An empty text in UTF-16LE leaves only FF FE, which reads as a UTF-32LE head.)
std::u16string RandomText(std::mt19937& random) {
    std::uniform_int_distribution<int> length(1, 40);
    std::uniform_int_distribution<int> kind(0, 5);
    std::u16string text;
    for (int i = length(random); i > 0; --i) {
        switch (kind(random)) {
            case 0:
                text.push_back(
                    static_cast<char16_t>(std::uniform_int_distribution<int>(0x20, 0x7E)(random)));
                break;
            case 1:
                text.push_back(
                    static_cast<char16_t>(std::uniform_int_distribution<int>(1, 0x1F)(random)));
                break;
            case 2:
                text.push_back(static_cast<char16_t>(
                    std::uniform_int_distribution<int>(0x4E00, 0x9FFF)(random)));
                break;
            case 3: {
                const char32_t cp = static_cast<char32_t>(
                    std::uniform_int_distribution<int>(0x10000, 0x10FFFF)(random));
                text.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
                text.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
                break;
            }
            case 4:
                text.push_back(static_cast<char16_t>(
                    std::uniform_int_distribution<int>(0xD800, 0xDFFF)(random)));
                break;
            default: {
                // Leaves out the private use area: GB18030 gave 24 of its code points to
                // characters that Unicode has since encoded elsewhere.
                auto unit =
                    static_cast<char16_t>(std::uniform_int_distribution<int>(0x80, 0xFFFD)(random));
                text.push_back(unit >= 0xE000 && unit <= 0xF8FF ? u'\u00E9' : unit);
                break;
            }
        }
    }
    return text;
}

TEST(RoundTrip, EveryEncodingGivesTheTextBack) {
    velmora::testing::TempDir dir;
    std::mt19937 random(20240101);
    for (int round = 0; round < 300; ++round) {
        const std::u16string text = RandomText(random);
        for (TextEncoding code = 0; code <= 5; ++code) {
            const auto path = dir / std::to_string(code);
            TextEncoding saveAs = code;
            ASSERT_TRUE(SaveText(path, text, false, saveAs, -1));
            TextEncoding loadAs = code;
            // UTF-16 keeps its units as they are held; the others cannot hold a lone surrogate.
            const std::u16string expected =
                code == kUtf16LE || code == kUtf16BE ? text : velmora::codepage::WellFormed(text);
            ASSERT_EQ(LoadText(path, loadAs), expected) << "code " << code << " round " << round;
            ASSERT_EQ(loadAs, code);
        }
    }
}

}  // namespace
}  // namespace mTextUTF
