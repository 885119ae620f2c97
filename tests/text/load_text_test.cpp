#include <gtest/gtest.h>

#include "support/bytes.h"
#include "support/temp_dir.h"
#include "text/text_utf.h"

namespace mTextUTF {
namespace {

using velmora::testing::Hex;
using velmora::testing::TempDir;
using velmora::testing::WriteBytes;

struct HeadCase {
    std::string bytes;  // first four bytes of a file, in file order
    TextEncoding encoding;
    std::int32_t length;
};

class BomHeads : public ::testing::TestWithParam<HeadCase> {};

TEST_P(BomHeads, DetectEncodingAndLength) {
    const std::string bytes = Hex(GetParam().bytes) + std::string(4, '\0');
    std::uint32_t head = 0;
    for (int i = 3; i >= 0; --i) {
        head = (head << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    }
    TextEncoding encoding = 99;
    EXPECT_EQ(BomToEncoding(head, encoding), GetParam().length);
    EXPECT_EQ(encoding, GetParam().encoding);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BomHeads,
    ::testing::Values(HeadCase{"FF FE 00 00", 4, 4}, HeadCase{"00 00 FE FF", 5, 4},
                      HeadCase{"FF FE 41 00", 2, 2}, HeadCase{"FF FE", 4, 4},
                      HeadCase{"FE FF 00 41", 3, 2}, HeadCase{"EF BB BF 41", 1, 3},
                      HeadCase{"EF BB BF", 1, 3}, HeadCase{"EF BB", 0, 0},
                      HeadCase{"00 00 FF FE", 0, 0}, HeadCase{"41", 0, 0}, HeadCase{"", 0, 0}));

TEST(EncodingToBom, GivesEveryMark) {
    const std::pair<TextEncoding, std::pair<std::uint32_t, std::int32_t>> table[] = {
        {1, {0xBFBBEF, 3}},   {2, {0xFEFF, 2}}, {3, {0xFFFE, 2}}, {4, {0x0000FEFF, 4}},
        {5, {0xFFFE0000, 4}}, {0, {0, 0}},      {-1, {0, 0}},     {6, {0, 0}}};
    for (const auto& [encoding, expected] : table) {
        std::uint32_t bom = 0x12345678;
        EXPECT_EQ(EncodingToBom(encoding, bom), expected.second) << encoding;
        EXPECT_EQ(bom, expected.first) << encoding;
        TextEncoding detected = -1;
        // The UTF-16LE mark alone, padded with 00, reads as the UTF-32LE mark.
        if (expected.second > 0 && encoding != 2) {
            EXPECT_EQ(BomToEncoding(bom, detected), expected.second);
            EXPECT_EQ(detected, encoding);
        }
    }
}

struct LoadCase {
    std::string bytes;
    TextEncoding request;
    std::u16string text;
    TextEncoding after;
};

class Loads : public ::testing::TestWithParam<LoadCase> {};

TEST_P(Loads, GiveTextAndWriteBackTheRequest) {
    TempDir dir;
    WriteBytes(dir / "f.txt", Hex(GetParam().bytes));
    TextEncoding encoding = GetParam().request;
    EXPECT_EQ(LoadText(dir / "f.txt", encoding), GetParam().text);
    EXPECT_EQ(encoding, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Loads,
    ::testing::Values(
        LoadCase{"", -1, u"", 0}, LoadCase{"EF BB BF", -1, u"", 1},
        LoadCase{"EF BB BF 41 42", -1, u"AB", 1},
        // A BOM of another encoding is decoded as content.
        LoadCase{"EF BB BF 41", 0, u"锘緼", 0}, LoadCase{"EF BB BF 41", 2, u"\uBBEF\u41BF", 2},
        LoadCase{"FF FE 41 00", -1, u"A", 2}, LoadCase{"FE FF 00 41", -1, u"A", 3},
        LoadCase{"FF FE 41 00 42", 2, u"AB", 2}, LoadCase{"FF FE 41 00 42", -1, u"AB", 2},
        LoadCase{"FE FF 00 41 42", 3, u"A", 3}, LoadCase{"FE FF", -1, u"", 3},
        LoadCase{"FF FE", -1, u"", 4}, LoadCase{"FF FE 00", -1, u"", 4},
        LoadCase{"41 00 42", 2, u"AB", 2}, LoadCase{"00 41 00 42", 3, u"AB", 3},
        LoadCase{"FF FE 00 00 41 00 00 00", -1, u"A", 4},
        LoadCase{"00 00 FE FF 00 00 00 41", -1, u"A", 5},
        LoadCase{"00 00 FE FF 00 01 F6 00 00 00 00", 5, u"\U0001F600\uFFFD", 5},
        LoadCase{"FF FE 00 00 00 D8 00 00", 4, u"\uFFFD", 4}, LoadCase{"41", -1, u"A", 0},
        LoadCase{"D4 C2 C1 C1 0D 0A", -1, u"月亮\r\n", 0}, LoadCase{"E6 9C 88", 1, u"月", 1}));

TEST(LoadText, MissingFileLeavesRequestAlone) {
    TempDir dir;
    TextEncoding encoding = -1;
    EXPECT_EQ(LoadText(dir / "missing.txt", encoding), u"");
    EXPECT_EQ(encoding, -1);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.txt"));
}

TEST(LoadText, DirectoryIsNoFile) {
    TempDir dir;
    TextEncoding encoding = -1;
    EXPECT_EQ(LoadText(dir.path(), encoding), u"");
    EXPECT_EQ(encoding, -1);
}

TEST(LoadText, InvalidRequestTouchesNothing) {
    TempDir dir;
    WriteBytes(dir / "f.txt", "abc");
    for (TextEncoding request : {6, -2, 1000}) {
        TextEncoding encoding = request;
        EXPECT_EQ(LoadText(dir / "f.txt", encoding), u"");
        EXPECT_EQ(encoding, request);
    }
}

}  // namespace
}  // namespace mTextUTF
