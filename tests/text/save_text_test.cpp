#include <gtest/gtest.h>

#include "support/bytes.h"
#include "support/small_disk.h"
#include "support/temp_dir.h"
#include "text/text_utf.h"

namespace mTextUTF {
namespace {

using velmora::testing::Hex;
using velmora::testing::ReadBytes;
using velmora::testing::TempDir;
using velmora::testing::WriteBytes;

struct SaveCase {
    const char* name;
    std::optional<std::string> before;  // file content before the call; nullopt: no file
    std::u16string text;
    bool append;
    TextEncoding encoding;
    TextEncoding defaultEncoding;
    bool result;
    TextEncoding after;
    std::optional<std::string> file;  // file content after the call; nullopt: no file
};

class Saves : public ::testing::TestWithParam<SaveCase> {};

TEST_P(Saves, WriteBytesAndReportTheEncoding) {
    const SaveCase& c = GetParam();
    TempDir dir;
    const auto path = dir / "f.txt";
    if (c.before) {
        WriteBytes(path, Hex(*c.before));
    }
    TextEncoding encoding = c.encoding;
    EXPECT_EQ(SaveText(path, c.text, c.append, encoding, c.defaultEncoding), c.result);
    EXPECT_EQ(encoding, c.after);
    ASSERT_EQ(std::filesystem::exists(path), c.file.has_value());
    if (c.file) {
        EXPECT_EQ(ReadBytes(path), Hex(*c.file));
    }
}

const SaveCase kSaves[] = {
    {"AnsiFresh", std::nullopt, u"A", false, 0, -1, true, 0, "41"},
    {"Utf8Fresh", std::nullopt, u"A", false, 1, -1, true, 1, "EF BB BF 41"},
    {"Utf16LEFresh", std::nullopt, u"A", false, 2, -1, true, 2, "FF FE 41 00"},
    {"Utf16BEFresh", std::nullopt, u"A", false, 3, -1, true, 3, "FE FF 00 41"},
    {"Utf32LEFresh", std::nullopt, u"A", false, 4, -1, true, 4, "FF FE 00 00 41 00 00 00"},
    {"Utf32BEFresh", std::nullopt, u"\U0001F600", false, 5, -1, true, 5, "00 00 FE FF 00 01 F6 00"},
    {"Utf8Chinese", std::nullopt, u"\u4E2D", false, 1, -1, true, 1, "EF BB BF E4 B8 AD"},
    {"AnsiChinese", std::nullopt, u"月亮\r\n", false, 0, -1, true, 0, "D4 C2 C1 C1 0D 0A"},
    {"Utf8Empty", std::nullopt, u"", false, 1, -1, true, 1, "EF BB BF"},
    {"AnsiEmpty", std::nullopt, u"", false, 0, -1, true, 0, ""},
    {"TruncatesLongerFile", "41 42 43 44 45 46", u"Z", false, 1, -1, true, 1, "EF BB BF 5A"},
    {"DetectWithoutAppend", "41", u"B", false, -1, 1, false, -1, "41"},
    {"DetectWithoutAppendNoFile", std::nullopt, u"B", false, -1, 1, false, -1, std::nullopt},
    {"InvalidEncoding", "41", u"B", true, 6, 1, false, 6, "41"},
    {"AppendDetectsUtf8", "EF BB BF 41", u"B", true, -1, 0, true, 1, "EF BB BF 41 42"},
    {"AppendDetectsAnsi", "41", u"月", true, -1, 1, true, 0, "41 D4 C2"},
    {"AppendUtf16NoBom", "41", u"B", true, 2, -1, true, 2, "41 42 00"},
    // An explicit encoding is not checked against what the file holds.
    {"AppendExplicitIgnoresBom", "FF FE 41 00", u"B", true, 1, -1, true, 1, "FF FE 41 00 42"},
    {"AppendDetectMissingFile", std::nullopt, u"B", true, -1, 1, true, 1, "EF BB BF 42"},
    {"AppendEmptyFileGetsBom", "", u"B", true, 2, -1, true, 2, "FF FE 42 00"},
    {"AppendDetectNoDefault", "", u"B", true, -1, -1, false, -1, ""},
    {"AppendDetectNoDefaultEmptyText", "", u"", true, -1, -1, true, -1, ""},
    {"AppendDetectInvalidDefault", "", u"B", true, -1, 9, false, 9, ""},
};

INSTANTIATE_TEST_SUITE_P(Table, Saves, ::testing::ValuesIn(kSaves),
                         [](const auto& p) { return std::string(p.param.name); });

// The re-encoding of a line-printed file: load with detection, save as UTF-8.
std::string Reencode(const std::filesystem::path& path) {
    TextEncoding detected = -1;
    const std::u16string text = LoadText(path, detected);
    TextEncoding utf8 = 1;
    SaveText(path, text, false, utf8, -1);
    return ReadBytes(path);
}

TEST(Reencoding, TurnsAnsiPageIntoUtf8KeepingLineEnds) {
    TempDir dir;
    WriteBytes(dir / "p.html", Hex("3C 70 3E D4 C2 C1 C1 0D 0A 61 0A 62 0D 0A"));
    EXPECT_EQ(Reencode(dir / "p.html"),
              Hex("EF BB BF 3C 70 3E E6 9C 88 E4 BA AE 0D 0A 61 0A 62 0D 0A"));
    // Again: detected as UTF-8, the BOM is never doubled.
    EXPECT_EQ(Reencode(dir / "p.html"),
              Hex("EF BB BF 3C 70 3E E6 9C 88 E4 BA AE 0D 0A 61 0A 62 0D 0A"));
}

TEST(Reencoding, MissingOrEmptyFileEndsAsBomOnly) {
    TempDir dir;
    EXPECT_EQ(Reencode(dir / "missing.html"), Hex("EF BB BF"));
    WriteBytes(dir / "empty.html", "");
    EXPECT_EQ(Reencode(dir / "empty.html"), Hex("EF BB BF"));
}

TEST(SaveText, UnopenablePathTouchesNothing) {
    TempDir dir;
    TextEncoding encoding = 1;
    EXPECT_FALSE(SaveText(dir / "no-such-dir" / "f.txt", u"A", false, encoding, -1));
    EXPECT_FALSE(SaveText(dir.path(), u"A", true, encoding, -1));
    EXPECT_FALSE(std::filesystem::exists(dir / "no-such-dir"));
}

// A write that does not fit (here the file-size limit, as a full disk would) is no success.
TEST(SaveText, FailedWriteIsReported) {
    TempDir dir;
    TextEncoding encoding = 1;
    bool saved = true;
    {
        velmora::testing::FileSizeLimit limit(4);
        saved = SaveText(dir / "f.txt", u"abcdefgh", false, encoding, -1);
    }
    EXPECT_FALSE(saved);
}

}  // namespace
}  // namespace mTextUTF
