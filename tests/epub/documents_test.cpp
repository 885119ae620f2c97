#include <gtest/gtest.h>

#include "epub/book_info.h"
#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "support/files.h"
#include "text/code_page.h"
#include "text/template_copy.h"
#include "text/text_files.h"
#include "workspace/song_page.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;

SongCollection Songs(int count) {
    const std::u16string names[] = {u"春天", u"月光", u"Tom & Jerry <live>"};
    SongCollection songs;
    for (int n = 1; n <= count; ++n) {
        const std::u16string name =
            n <= 3 ? names[n - 1] : u" 歌" + codepage::FromUtf8(std::to_string(n)) + u" ";
        songs.Insert(n, songs.Prepare({name, u"x"}, n));
    }
    return songs;
}

// content.opf and toc.ncx against golden files in tests/data: the default book for 0, 1, 3
// and 12 songs (ids past 9 and escaped names included), built at 1970-01-02 + the 2024
// start; and a named book whose title and author hold what XML and JSON escape, an emoji and
// a right-to-left name.
TEST(Documents, AreByteExact) {
    const fs::path templates = VELMORA_TEMPLATE_DIR;
    const std::u16string opfTemplate = TemplateLine(templates / "content.opf");
    const std::u16string ncxTemplate = TemplateLine(templates / "toc.ncx");
    const fs::path data = VELMORA_TEST_DATA;
    const BookInfo named{u"流行 & <金曲> \"🎵\" שירים", u"小明 \"\\ & <Ming>"};
    const struct {
        int songs;
        BookInfo book;
        std::string name;
    } table[] = {{0, {}, "0"}, {1, {}, "1"}, {3, {}, "3"}, {12, {}, "12"}, {3, named, "named"}};
    for (const auto& row : table) {
        const SongCollection songs = Songs(row.songs);
        const BuildTime time{1704067200 + 86400, 1704067200 + 86400 - 8 * 3600};
        EXPECT_EQ(ComposePackageDocument(opfTemplate, songs, time, row.book),
                  ReadBytes(data / ("content-" + row.name + ".opf")))
            << row.name;
        EXPECT_EQ(ComposeNavigationDocument(ncxTemplate, songs, row.book),
                  ReadBytes(data / ("toc-" + row.name + ".ncx")))
            << row.name;
    }
}

// A book's identity follows its title and author: the same pair keeps it, one character
// changed (or moved from the title to the author) changes it; the default book keeps the
// template's.
TEST(Documents, IdentifiersFollowTheTitleAndAuthor) {
    const BookInfo book{u"流行金曲", u"小明"};
    EXPECT_EQ(BookUuid(book), BookUuid(BookInfo{u"流行金曲", u"小明"}));
    // As Python's uuid.uuid5 computes it.
    EXPECT_EQ(BookUuid(book), "ad65cf2b-b99a-5f9a-b661-8c2a6a03b3a4");
    for (const BookInfo& other : {BookInfo{u"流行金曲!", u"小明"}, BookInfo{u"流行金曲", u"小"},
                                  BookInfo{u"流行金", u"曲小明"}}) {
        EXPECT_NE(BookUuid(other), BookUuid(book));
        EXPECT_NE(CalibreUuid(other), CalibreUuid(book));
    }
    EXPECT_NE(CalibreUuid(book), BookUuid(book));
    const std::u16string line = TemplateLine(fs::path(VELMORA_TEMPLATE_DIR) / "content.opf");
    EXPECT_EQ(WithBookUuid(line, {}), line);
}

}  // namespace
}  // namespace velmora
