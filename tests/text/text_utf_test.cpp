#include "text/text_utf.h"

#include <iconv.h>

#include "text/code_page.h"
#include "text/template_copy.h"

#include "text/xml_text.h"

#include <gtest/gtest.h>

#include "support/faults.h"
#include "support/files.h"

namespace mTextUTF {
namespace {

using namespace velmora::testing;
namespace fs = std::filesystem;

// Detection, by the marks' order: FF FE 00 00 is UTF-32LE before it is UTF-16LE.
TEST(LoadText, GivesTextAndWritesBackTheRequest) {
    const struct {
        std::string bytes;
        TextEncoding request;
        std::u16string text;
        TextEncoding after;
    } table[] = {
        {"", -1, u"", 0},
        {"EF BB BF", -1, u"", 1},
        {"EF BB BF 41 42", -1, u"AB", 1},
        // A mark of another encoding is content.
        {"EF BB BF 41", 0, u"锘緼", 0},
        {"FF FE 41 00", -1, u"A", 2},
        {"FE FF 00 41", -1, u"A", 3},
        {"FF FE 41 00 42", 2, u"AB", 2},  // odd last byte: high byte 00
        {"FE FF 00 41 42", 3, u"A", 3},   // odd last byte dropped
        {"FF FE 00", -1, u"", 4},         // shorter than its mark
        {"00 00 FE FF 00 01 F6 00 00 00 00", 5, u"\U0001F600\uFFFD", 5},
        {"D4 C2 C1 C1 0D 0A 94 39 FC 36", -1, u"月亮\r\n\U0001F600", 0},
        {"41 80 42 D4", 0, u"A\uFFFDB\uFFFD", 0},
        {"E6 9C 41 C0 AF", 1, u"\uFFFDA\uFFFD\uFFFD", 1},
    };
    TempDir dir;
    for (const auto& row : table) {
        WriteBytes(dir / "f", Hex(row.bytes));
        TextEncoding encoding = row.request;
        EXPECT_EQ(LoadText(dir / "f", encoding), row.text) << row.bytes;
        EXPECT_EQ(encoding, row.after) << row.bytes;
    }
}

TEST(LoadText, FailuresTouchNothing) {
    TempDir dir;
    WriteBytes(dir / "f", "abc");
    for (const auto& [path, request] :
         {std::pair{dir / "f", 6}, {dir / "f", -2}, {dir / "missing", -1}, {dir.path(), -1}}) {
        TextEncoding encoding = request;
        EXPECT_EQ(LoadText(path, encoding), u"");
        EXPECT_EQ(encoding, request);
    }
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST(SaveText, WritesBytesAndReportsTheEncoding) {
    const struct {
        const char* name;
        std::optional<std::string> before;  // nullopt: no file
        std::u16string text;
        bool append;
        TextEncoding encoding, defaultEncoding;
        bool result;
        TextEncoding after;
        std::optional<std::string> file;
    } table[] = {
        {"Ansi", std::nullopt, u"月\U0001F600", false, 0, -1, true, 0, "D4 C2 94 39 FC 36"},
        {"Utf8", std::nullopt, u"\u4E2D", false, 1, -1, true, 1, "EF BB BF E4 B8 AD"},
        {"Utf16LE", std::nullopt, u"A", false, 2, -1, true, 2, "FF FE 41 00"},
        {"Utf16BE", std::nullopt, u"A", false, 3, -1, true, 3, "FE FF 00 41"},
        {"Utf32BE", std::nullopt, u"\U0001F600", false, 5, -1, true, 5, "00 00 FE FF 00 01 F6 00"},
        {"EmptyUtf8", std::nullopt, u"", false, 1, -1, true, 1, "EF BB BF"},
        {"Truncates", "41 42 43 44 45", u"Z", false, 1, -1, true, 1, "EF BB BF 5A"},
        {"DetectNeedsAppend", std::nullopt, u"B", false, -1, 1, false, -1, std::nullopt},
        {"InvalidCode", "41", u"B", true, 6, 1, false, 6, "41"},
        {"AppendDetects", "EF BB BF 41", u"B", true, -1, 0, true, 1, "EF BB BF 41 42"},
        {"AppendNoBom", "41", u"B", true, 2, -1, true, 2, "41 42 00"},
        {"AppendToMissing", std::nullopt, u"B", true, -1, 1, true, 1, "EF BB BF 42"},
        {"AppendNoDefault", "", u"B", true, -1, -1, false, -1, ""},
        {"AppendNoDefaultEmpty", "", u"", true, -1, -1, true, -1, ""},
    };
    TempDir dir;
    for (const auto& row : table) {
        const fs::path path = dir / row.name;
        if (row.before) {
            WriteBytes(path, Hex(*row.before));
        }
        TextEncoding encoding = row.encoding;
        EXPECT_EQ(SaveText(path, row.text, row.append, encoding, row.defaultEncoding), row.result)
            << row.name;
        EXPECT_EQ(encoding, row.after) << row.name;
        ASSERT_EQ(fs::exists(path), row.file.has_value()) << row.name;
        if (row.file) {
            EXPECT_EQ(ReadBytes(path), Hex(*row.file)) << row.name;
        }
    }
}

// Reads and writes that stop short go on until done (UTF-16BE once decoded bytes it never
// read); ones that fail are reported.
TEST(SaveText, ShortTransfersAreFinishedAndFailedOnesReported) {
    TempDir dir;
    TextEncoding utf16 = kUtf16BE;
    {
        InjectedFaults faults({Fault{Call::Read, "f", 0}, Fault{Call::Write, "f", 0}});
        ASSERT_TRUE(SaveText(dir / "f", u"月光\r\n\U0001F600", false, utf16, -1));
        EXPECT_EQ(LoadText(dir / "f", utf16), u"月光\r\n\U0001F600");
        EXPECT_GT(faults.hits, 20);
    }
    InjectedFaults faults({{Call::Read, "f", EIO, 5}, {Call::Write, "g", ENOSPC, 4}});
    TextEncoding detect = -1;
    EXPECT_EQ(LoadText(dir / "f", detect), u"");
    TextEncoding utf8 = 1;
    EXPECT_FALSE(SaveText(dir / "g", u"abcdefgh", false, utf8, -1));
}

// A template copy: its text and a line end, appended; read one byte a call, it is whole.
TEST(WritrFile, AppendsTheSourceAndALineEnd) {
    const struct {
        std::string source, target, expected;  // hex; target "-" for none
    } table[] = {
        {"61 62 63", "-", "61 62 63 0D 0A"},
        {"61 0D 0A", "-", "61 0D 0A 0D 0A"},
        {"", "-", "0D 0A"},
        {"61", "61 0D 0A", "61 0D 0A 61 0D 0A"},
        {"D4 C2 0A 94 39 FC 36", "-", "D4 C2 0A 94 39 FC 36 0D 0A"},
    };
    TempDir dir;
    for (const auto& row : table) {
        WriteBytes(dir / "source", Hex(row.source));
        fs::remove(dir / "target");
        if (row.target != "-") {
            WriteBytes(dir / "target", Hex(row.target));
        }
        // Read one byte a call: the copy is whole all the same.
        InjectedFaults faults({Fault{Call::Read, "source", 0}});
        velmora::WritrFile(dir / "source", dir / "target");
        EXPECT_EQ(ReadBytes(dir / "target"), Hex(row.expected)) << row.source;
    }
}

// Every character of the plane as iconv gives it one at a time, alone and in a text; past the
// plane and lone surrogates as well.
TEST(Encode, GivesIconvsBytes) {
    for (const auto& [codePage, charset] :
         {std::pair(velmora::codepage::kGb18030, "GB18030"), std::pair(std::int32_t{936}, "GBK")}) {
        const iconv_t cd = iconv_open(charset, "UTF-16LE");
        std::u16string text;
        std::string expected;
        for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
            std::u16string unit(1, static_cast<char16_t>(cp));
            char buffer[8];
            char* in = reinterpret_cast<char*>(unit.data());
            char* out = buffer;
            std::size_t inLeft = 2, outLeft = sizeof buffer;
            const bool ok = iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
            const std::string bytes = ok ? std::string(buffer, out) : std::string("?");
            if (cp < 0xD800 || cp > 0xDFFF) {
                text += unit;
                expected += bytes;
            }
        }
        iconv_close(cd);
        EXPECT_EQ(velmora::codepage::Encode(text, codePage), expected) << charset;
    }
    EXPECT_EQ(velmora::codepage::Encode(u"a\U0001D11E\xD800月", velmora::codepage::kGb18030),
              "a\x94\x32\xBE\x34\x84\x31\xA4\x37\xD4\xC2");
}

// Markup escaped, and what XML 1.0 does not allow replaced, also between plain runs; quotes
// escaped in an attribute and carriage returns marked in lines, and only there.
TEST(Xml, EscapesMarkupAndReplacesWhatXmlCannotHold) {
    using velmora::XmlPlace;
    const struct {
        std::u16string text;
        XmlPlace place;
        std::string xml;
    } table[] = {
        {u"", XmlPlace::Text, ""},
        {u"a & b <c> 月", XmlPlace::Text, "a &amp; b &lt;c&gt; 月"},
        {u"x\xD800y\xDC00", XmlPlace::Text, "x\uFFFDy\uFFFD"},
        {u"\U0001D11E\x01\t\r\n\uFFFE\uFFFF", XmlPlace::Text, "\U0001D11E\uFFFD\t\r\n\uFFFD\uFFFD"},
        {u"\"<\"\r\n", XmlPlace::Text, "\"&lt;\"\r\n"},
        {u"\"<\"\r\n", XmlPlace::Attribute, "&quot;&lt;&quot;\r\n"},
        {u"一\r\n\"<br/>\"\r二\r", XmlPlace::Lines, "一<br/>\n\"&lt;br/&gt;\"<br/>二<br/>"},
    };
    for (const auto& row : table) {
        std::string out = "kept";
        velmora::AppendXml(out, row.text, row.place);
        EXPECT_EQ(out, "kept" + row.xml);
        EXPECT_EQ(velmora::Xml(row.text, row.place), row.xml);
    }
}

}  // namespace
}  // namespace mTextUTF
