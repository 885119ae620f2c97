// A named book's own pages and documents against tests/data/named, byte for byte: songs by
// Chinese, Latin and numbered artists, one without, one of several stanzas, what XML escapes.

#include <gtest/gtest.h>

#include <cstdlib>

#include "epub/front_pages.h"
#include "epub/jpeg_size.h"
#include "epub/lyric_page.h"
#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "epub/page_markup.h"
#include "support/environment.h"
#include "support/files.h"
#include "text/code_page.h"
#include "text/template_copy.h"

namespace velmora {
namespace {

using namespace testing;

SongCollection Songs() {
    const Song songs[] = {
        {u"晴天",
         u"故事的小黄花\r\n从出生那年就飘着\r\n\r\n\r\n 童年的荡秋千\r\n "
         u"\u3000\r\n随记忆一直晃到现在\r\n",
         u"周杰伦", u"词：方文山\r\n曲：周杰伦"},
        {u"Tom & Jerry <live>", u"Yellow", u"Coldplay"},
        {u"十年", u"如果那两个字没有颤抖", u"陈奕迅"},
        {u"无名", u"\r\n没有歌手\r\n", u""},
        {u"浮夸", u"有人问我", u"陈奕迅"},
        {u"爱情万岁", u"tonight", u"五月天 & <S.H.E>"},
        {u"Wannabe", u"yo", u"2 Become 1"},
    };
    SongCollection collection;
    for (const Song& song : songs) {
        const int n = collection.SongCount() + 1;
        collection.Insert(n, collection.Prepare(Song(song), n));
    }
    return collection;
}

// In either script: a Traditional book's own words and language are Traditional too.
class NamedBookPages : public ::testing::TestWithParam<std::pair<BookInfo, const char*>> {};

TEST_P(NamedBookPages, AreByteExact) {
    const auto& [book, folder] = GetParam();
    const fs::path templates = VELMORA_TEMPLATE_DIR, data = fs::path(VELMORA_TEST_DATA) / folder;
    const SongCollection songs = Songs();
    SetEnvironment("TZ", "CST-8");  // the date is UTC whatever the machine's zone
    ::tzset();
    const std::pair<const char*, std::string> files[] = {
        {"cover.xhtml", ComposeCoverPage(1600, 2560, book.script)},
        {"title.xhtml", ComposeTitlePage(book, songs.SongCount(), 1733616000)},
        {"contents.xhtml", ComposeContentsPage(songs, book.script)},
        {"artists.xhtml", ComposeArtistIndexPage(songs, book.script)},
        {"song.xhtml", ComposeLyricPage(songs.At(1), book.script)},
        {"../named/style.css", StyleSheet()},  // one style sheet, whatever the script
        {"content.opf", ComposePackageDocument(TemplateLine(templates / "content.opf"), songs,
                                               {1733616000, 1733616000 - 8 * 3600}, book)},
        {"toc.ncx", ComposeNavigationDocument(TemplateLine(templates / "toc.ncx"), songs, book)},
    };
    ClearEnvironment("TZ");
    ::tzset();
    for (const auto& [name, composed] : files) {
        EXPECT_EQ(composed, ReadBytes(data / name)) << folder << '/' << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    NamedBook, NamedBookPages,
    ::testing::Values(std::pair(BookInfo{u"流行 & <金曲>", u"小明 \"\\Ming\""}, "named"),
                      std::pair(BookInfo{u"華語 & <金曲>", u"小明", Script::Traditional},
                                "named-traditional")));

// Stanzas part at blank lines (of blanks only too), however the lines end; the blank lines
// at the start and end, and those that follow a blank line, make none.
TEST(NamedBook, LyricsPartIntoStanzas) {
    using Lines = std::vector<std::vector<std::u16string_view>>;
    const std::pair<std::u16string_view, Lines> table[] = {
        {u"", {}},
        {u"\r\n \t\r\n", {}},
        {u"a", {{u"a"}}},
        {u"a\r\nb\nc\rd", {{u"a", u"b", u"c", u"d"}}},
        {u"\r\n\r\na\r\n\r\n\r\n\u3000\r\nb\r\n", {{u"a"}, {u"b"}}},
        {u"a\r\n\r\r\nb c\n\n", {{u"a"}, {u"b c"}}},
    };
    for (const auto& [lyric, stanzas] : table) {
        EXPECT_EQ(Stanzas(lyric), stanzas) << codepage::ToUtf8(lyric);
    }
}

// The size from the frame header, past the segments before it; nothing without one.
TEST(NamedBook, CoverSizeComesFromTheJpegHeader) {
    const std::string cover = ReadBytes(fs::path(VELMORA_TEMPLATE_DIR) / "cover.jpeg");
    const std::string wide = ReadBytes(fs::path(VELMORA_TEST_DATA) / "cmyk-wide.jpg");
    const std::size_t frame = cover.find("\xFF\xC0");
    const std::pair<std::string, std::optional<PixelSize>> table[] = {
        {cover, PixelSize{600, 800}},
        {wide, PixelSize{2600, 10}},
        {cover.substr(0, 2) + "\xFF\xFF" + cover.substr(2), PixelSize{600, 800}},
        {std::string("\xFF\xD8\xFF\xC4\x00\x04"
                     "ab",
                     8) +
             cover.substr(2),
         PixelSize{600, 800}},
        {cover.substr(0, frame + 8), std::nullopt},
        {cover.substr(0, frame), std::nullopt},
        {"GIF89a", std::nullopt},
        {cover.substr(0, frame + 5) + std::string(2, '\0') + cover.substr(frame + 7), std::nullopt},
    };
    for (const auto& [bytes, size] : table) {
        EXPECT_EQ(JpegSize(bytes), size) << bytes.size();
    }
}

}  // namespace
}  // namespace velmora
