#include <gtest/gtest.h>

#include "epub/book_info.h"
#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "support/files.h"
#include "text/code_page.h"
#include "text/template_copy.h"

namespace velmora {
namespace {

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

// content.opf and toc.ncx against tests/data: 0, 1, 3 and 12 songs (ids past 9, escaped
// names); a named book's: named_book_test.
TEST(Documents, AreByteExact) {
    const fs::path templates = VELMORA_TEMPLATE_DIR, data = VELMORA_TEST_DATA;
    const std::u16string opfTemplate = TemplateLine(templates / "content.opf"),
                         ncxTemplate = TemplateLine(templates / "toc.ncx");
    const BuildTime time{1704067200 + 86400, 1704067200 + 86400 - 8 * 3600};
    for (const int count : {0, 1, 3, 12}) {
        const std::string name = std::to_string(count);
        const SongCollection songs = Songs(count);
        EXPECT_EQ(ComposePackageDocument(opfTemplate, songs, time),
                  ReadBytes(data / ("content-" + name + ".opf")))
            << name;
        EXPECT_EQ(ComposeNavigationDocument(ncxTemplate, songs),
                  ReadBytes(data / ("toc-" + name + ".ncx")))
            << name;
    }
}

// A book's identity follows its title and author (the default book's is the template's).
TEST(Documents, IdentifiersFollowTheTitleAndAuthor) {
    const BookInfo book{u"流行金曲", u"小明"};
    // As Python's uuid.uuid5 computes it.
    EXPECT_EQ(BookUuid(book), "ad65cf2b-b99a-5f9a-b661-8c2a6a03b3a4");
    for (const BookInfo& other : {BookInfo{u"流行金曲!", u"小明"}, BookInfo{u"流行金曲", u"小"},
                                  BookInfo{u"流行金", u"曲小明"}}) {
        EXPECT_NE(BookUuid(other), BookUuid(book));
        EXPECT_NE(CalibreUuid(other), CalibreUuid(book));
    }
    EXPECT_NE(CalibreUuid(book), BookUuid(book));
}

}  // namespace
}  // namespace velmora
