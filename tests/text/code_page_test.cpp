#include "text/code_page.h"

#include <gtest/gtest.h>

#include "support/bytes.h"

namespace velmora::codepage {
namespace {

using testing::Hex;

struct EncodingCase {
    std::u16string text;
    std::string gb18030;
    std::string utf8;
};

class CodePageTable : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(CodePageTable, EncodesAndDecodesBothWays) {
    const EncodingCase& c = GetParam();
    EXPECT_EQ(Encode(c.text, kAnsi), Hex(c.gb18030));
    EXPECT_EQ(Decode(Hex(c.gb18030), kAnsi), c.text);
    EXPECT_EQ(Encode(c.text, kUtf8), Hex(c.utf8));
    EXPECT_EQ(Decode(Hex(c.utf8), kUtf8), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, CodePageTable,
    ::testing::Values(EncodingCase{u"", "", ""},
                      EncodingCase{u"abc\r\n", "61 62 63 0D 0A", "61 62 63 0D 0A"},
                      // GBK's own bytes for Chinese text.
                      EncodingCase{u"月亮", "D4 C2 C1 C1", "E6 9C 88 E4 BA AE"},
                      EncodingCase{u"\u00E9", "A8 A6", "C3 A9"},
                      // Beyond GBK: four-byte GB18030 forms, nothing lost.
                      EncodingCase{u"\U0001F600", "94 39 FC 36", "F0 9F 98 80"},
                      EncodingCase{u"\u20AC", "A2 E3", "E2 82 AC"},
                      EncodingCase{u"\uFEFF", "84 31 95 33", "EF BB BF"},
                      EncodingCase{u"\u05D0\u05D1", "81 30 F9 32 81 30 F9 33", "D7 90 D7 91"}));

struct DecodeCase {
    std::int32_t codePage;
    std::string bytes;
    std::u16string text;
};

class InvalidInput : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(InvalidInput, BecomesReplacementCharacters) {
    const DecodeCase& c = GetParam();
    EXPECT_EQ(Decode(Hex(c.bytes), c.codePage), c.text);
}

INSTANTIATE_TEST_SUITE_P(Vectors, InvalidInput,
                         ::testing::Values(DecodeCase{kAnsi, "41 80 42", u"A\uFFFDB"},
                                           DecodeCase{kAnsi, "41 D4", u"A\uFFFD"},
                                           DecodeCase{kAnsi, "FF D4 C2", u"\uFFFD月"},
                                           DecodeCase{kUtf8, "41 FF 42", u"A\uFFFDB"},
                                           DecodeCase{kUtf8, "E6 9C", u"\uFFFD"},
                                           DecodeCase{kUtf8, "E6 9C 41", u"\uFFFDA"},
                                           DecodeCase{kUtf8, "C0 AF", u"\uFFFD\uFFFD"},
                                           DecodeCase{kUtf8, "ED A0 80", u"\uFFFD\uFFFD\uFFFD"},
                                           DecodeCase{kUtf8, "F4 90 80 80",
                                                      u"\uFFFD\uFFFD\uFFFD\uFFFD"}));

TEST(CodePage, LoneSurrogatesAreEncodedAsReplacement) {
    const std::u16string text{u'a', char16_t(0xD800), u'b', char16_t(0xDC00)};
    EXPECT_EQ(Encode(text, kUtf8), Hex("61 EF BF BD 62 EF BF BD"));
    EXPECT_EQ(Encode(text, kAnsi), Hex("61 84 31 A4 37 62 84 31 A4 37"));
    EXPECT_EQ(WellFormed(std::u16string{char16_t(0xDBFF)}), u"\uFFFD");
}

TEST(CodePage, GbkLacksWhatGb18030Has) {
    EXPECT_EQ(Encode(u"月\U0001F600", 936), Hex("D4 C2 3F"));
}

// GB18030-2005 took these private-use code points for characters Unicode has since
// encoded elsewhere: they are the only ones the ANSI code page cannot keep.
TEST(CodePage, Gb18030LacksSomePrivateUseCodePoints) {
    EXPECT_EQ(Encode(u"\uE83B\uE78D", kAnsi), "??");
    EXPECT_EQ(Encode(u"\uE000", kAnsi), Hex("AA A1"));
}

TEST(CodePage, UnknownCodePageConvertsNothing) {
    EXPECT_FALSE(Decode("abc", 1252).has_value());
    EXPECT_FALSE(Encode(u"abc", 1252).has_value());
}

}  // namespace
}  // namespace velmora::codepage
