#include <gtest/gtest.h>

#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "support/files.h"
#include "text/template_copy.h"
#include "text/text_files.h"
#include "text/xml_text.h"
#include "workspace/song_page.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;

SongCollection Songs(int count) {
    const std::u16string names[] = {u"春天", u"月光", u"Tom & Jerry <live>"};
    SongCollection songs;
    for (int n = 1; n <= count; ++n) {
        const std::u16string name = n <= 3 ? names[n - 1] : u" 歌" + Decimal(n) + u" ";
        songs.Insert(n, songs.Prepare({name, u"x"}, n));
    }
    return songs;
}

// content.opf and toc.ncx against golden files in tests/data, for 0, 1, 3 and 12 songs (ids
// past 9 and escaped names included), built at 1970-01-02 + the 2024 start.
TEST(Documents, AreByteExact) {
    const fs::path templates = VELMORA_TEMPLATE_DIR;
    const std::u16string opfTemplate = TemplateLine(templates / "content.opf");
    const std::u16string ncxTemplate = TemplateLine(templates / "toc.ncx");
    const fs::path data = VELMORA_TEST_DATA;
    for (const int count : {0, 1, 3, 12}) {
        const SongCollection songs = Songs(count);
        const std::string n = std::to_string(count);
        EXPECT_EQ(Utf8Document(ComposePackageDocument(opfTemplate, songs, {1704067200 + 86400})),
                  ReadBytes(data / ("content-" + n + ".opf")))
            << count;
        EXPECT_EQ(Utf8Document(ComposeNavigationDocument(ncxTemplate, songs)),
                  ReadBytes(data / ("toc-" + n + ".ncx")))
            << count;
    }
}

}  // namespace
}  // namespace velmora
