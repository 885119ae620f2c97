#include "text/text_utf.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <iconv.h>
#endif

#include "support/faults.h"
#include "support/files.h"
#include "text/code_page.h"
#include "text/template_copy.h"
#include "text/xml_text.h"

namespace mTextUTF {
namespace {

using namespace velmora::testing;

// Bytes (hex, "-" for no file) read with a request: the text, and the request after. By the
// marks' order, FF FE 00 00 is UTF-32LE before it is UTF-16LE; a failure touches nothing.
TEST(LoadText, GivesTextAndWritesBackTheRequest) {
    const std::tuple<std::string, TextEncoding, std::u16string, TextEncoding> table[] = {
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
        {"ED A0 80 41", 1, u"\uFFFD\uFFFD\uFFFDA", 1},
        {"41", 6, u"", 6},
        {"41", -2, u"", -2},
        {"-", -1, u"", -1},
    };
    TempDir dir;
    for (const auto& [bytes, request, text, after] : table) {
        fs::remove(dir / "f");
        if (bytes != "-") {
            WriteBytes(dir / "f", Hex(bytes));
        }
        TextEncoding encoding = request;
        EXPECT_EQ(LoadText(dir / "f", encoding), text) << bytes;
        EXPECT_EQ(encoding, after) << bytes;
    }
    EXPECT_FALSE(fs::exists(dir / "f"));
    TextEncoding detect = -1;
    EXPECT_EQ(LoadText(dir.path(), detect), u"");
    EXPECT_EQ(detect, -1);
}

// A text saved over a file (hex, {} for none), appended or not, with an encoding and a
// default: what SaveText returns, the encoding after, and the file ({}: none).
TEST(SaveText, WritesBytesAndReportsTheEncoding) {
    using Bytes = std::optional<std::string>;
    const std::tuple<const char*, Bytes, std::u16string, bool, TextEncoding, TextEncoding, bool,
                     TextEncoding, Bytes>
        table[] = {
            {"Ansi", {}, u"月\U0001F600", false, 0, -1, true, 0, "D4 C2 94 39 FC 36"},
            {"Utf8", {}, u"\u4E2D", false, 1, -1, true, 1, "EF BB BF E4 B8 AD"},
            {"Utf16LE", {}, u"A", false, 2, -1, true, 2, "FF FE 41 00"},
            {"Utf16BE", {}, u"A", false, 3, -1, true, 3, "FE FF 00 41"},
            {"Utf32BE", {}, u"\U0001F600", false, 5, -1, true, 5, "00 00 FE FF 00 01 F6 00"},
            {"EmptyUtf8", {}, u"", false, 1, -1, true, 1, "EF BB BF"},
            {"Truncates", "41 42 43 44 45", u"Z", false, 1, -1, true, 1, "EF BB BF 5A"},
            {"DetectNeedsAppend", {}, u"B", false, -1, 1, false, -1, {}},
            {"InvalidCode", "41", u"B", true, 6, 1, false, 6, "41"},
            {"AppendDetects", "EF BB BF 41", u"B", true, -1, 0, true, 1, "EF BB BF 41 42"},
            {"AppendNoBom", "41", u"B", true, 2, -1, true, 2, "41 42 00"},
            {"AppendToMissing", {}, u"B", true, -1, 1, true, 1, "EF BB BF 42"},
            {"AppendNoDefault", "", u"B", true, -1, -1, false, -1, ""},
            {"AppendNoDefaultEmpty", "", u"", true, -1, -1, true, -1, ""},
        };
    TempDir dir;
    for (const auto& [name, before, text, append, request, fallback, saved, after, file] : table) {
        SCOPED_TRACE(name);
        const fs::path path = dir / name;
        if (before) {
            WriteBytes(path, Hex(*before));
        }
        TextEncoding encoding = request;
        EXPECT_EQ(SaveText(path, text, append, encoding, fallback), saved);
        EXPECT_EQ(encoding, after);
        EXPECT_EQ(fs::exists(path) ? Bytes(ReadBytes(path)) : std::nullopt,
                  file ? Bytes(Hex(*file)) : std::nullopt);
    }
}

// Short reads and writes go on until done (UTF-16BE once decoded unread bytes); failures told.
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
    TextEncoding detect = -1, utf8 = 1;
    EXPECT_EQ(LoadText(dir / "f", detect), u"");
    EXPECT_FALSE(SaveText(dir / "g", u"abcdefgh", false, utf8, -1));
}

// A template copy, read one byte a call: its text and a line end appended to the target.
TEST(WritrFile, AppendsTheSourceAndALineEnd) {
    const std::tuple<std::string, std::string, std::string> table[] = {
        {"61 62 63", "-", "61 62 63 0D 0A"},
        {"61 0D 0A", "-", "61 0D 0A 0D 0A"},
        {"", "-", "0D 0A"},
        {"61", "61 0D 0A", "61 0D 0A 61 0D 0A"},
        {"D4 C2 0A 94 39 FC 36", "-", "D4 C2 0A 94 39 FC 36 0D 0A"},
    };
    TempDir dir;
    for (const auto& [source, target, expected] : table) {
        WriteBytes(dir / "source", Hex(source));
        fs::remove(dir / "target");
        if (target != "-") {
            WriteBytes(dir / "target", Hex(target));
        }
        InjectedFaults faults({Fault{Call::Read, "source", 0}});
        velmora::WritrFile(dir / "source", dir / "target");
        EXPECT_EQ(ReadBytes(dir / "target"), Hex(expected)) << source;
    }
}

#ifndef _WIN32
// Every character of the plane as iconv gives it; past the plane, lone surrogates as well.
// (Windows has no iconv to compare with: its code pages have rows of their own.)
TEST(Encode, GivesIconvsBytes) {
    for (const auto& [codePage, charset] :
         {std::pair(velmora::codepage::kGb18030, "GB18030"), std::pair(std::int32_t{936}, "GBK")}) {
        const iconv_t cd = iconv_open(charset, "UTF-16LE");
        std::u16string text;
        std::string expected;
        for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
            std::u16string unit(1, static_cast<char16_t>(cp));
            char buffer[8], *out = buffer;
            char* in = reinterpret_cast<char*>(unit.data());
            std::size_t inLeft = 2, outLeft = sizeof buffer;
            const bool ok = iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
            if (cp < 0xD800 || cp > 0xDFFF) {
                text += unit;
                expected += ok ? std::string(buffer, out) : std::string("?");
            }
        }
        iconv_close(cd);
        EXPECT_EQ(velmora::codepage::Encode(text, codePage), expected) << charset;
    }
    EXPECT_EQ(velmora::codepage::Encode(u"a\U0001D11E\xD800月", velmora::codepage::kGb18030),
              "a\x94\x32\xBE\x34\x84\x31\xA4\x37\xD4\xC2");
}
#endif

// Markup escaped, and what XML 1.0 does not allow replaced, also between plain runs; quotes
// escaped in an attribute and carriage returns marked in lines, and only there.
TEST(Xml, EscapesMarkupAndReplacesWhatXmlCannotHold) {
    using enum velmora::XmlPlace;
    const std::tuple<std::u16string, velmora::XmlPlace, std::string> table[] = {
        {u"", Text, ""},
        {u"a & b <c> 月", Text, "a &amp; b &lt;c&gt; 月"},
        {u"x\xD800y\xDC00", Text, "x\uFFFDy\uFFFD"},
        {u"\U0001D11E\x01\t\r\n\uFFFE\uFFFF", Text, "\U0001D11E\uFFFD\t\r\n\uFFFD\uFFFD"},
        {u"\"<\"\r\n", Text, "\"&lt;\"\r\n"},
        {u"\"<\"\r\n", Attribute, "&quot;&lt;&quot;\r\n"},
        {u"一\r\n\"<br/>\"\r二\r", Lines, "一<br/>\n\"&lt;br/&gt;\"<br/>二<br/>"},
    };
    for (const auto& [text, place, xml] : table) {
        std::string out = "kept";
        velmora::AppendXml(out, text, place);
        EXPECT_EQ(out, "kept" + xml);
        EXPECT_EQ(velmora::Xml(text, place), xml);
    }
}

}  // namespace
}  // namespace mTextUTF
