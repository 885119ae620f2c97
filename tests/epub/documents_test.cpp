#include <gtest/gtest.h>

#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "support/bytes.h"
#include "support/fakes.h"
#include "support/program_folder.h"
#include "text/xml_text.h"
#include "workspace/workspace.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// content.opf and toc.ncx against golden files in tests/data, for 0, 1, 3 and 12 songs (ids
// past 9 and escaped names included), with their templates and without.
TEST(Documents, AreByteExact) {
    const std::u16string names[] = {u"春天", u"月光", u"Tom & Jerry <live>"};
    for (const int songs : {0, 1, 3, 12}) {
        ProgramFolder app;
        FixedClock startClock{kNewYear2024};
        FixedClock buildClock{kNewYear2024 + 86400};
        FakeView view;
        Workspace run(app.path(), startClock, view);
        run.ReadyToMake();
        for (int n = 1; n <= songs; ++n) {
            run.AddLyric(n <= 3 ? names[n - 1] : u" 歌" + Decimal(n) + u" ", u"x");
        }
        const fs::path data = VELMORA_TEST_DATA;
        const std::string opf = ReadBytes(data / ("content-" + std::to_string(songs) + ".opf"));
        const std::string ncx = ReadBytes(data / ("toc-" + std::to_string(songs) + ".ncx"));
        WritePackageDocument(run, buildClock, view);
        WriteNavigationDocument(run, view);
        EXPECT_EQ(ReadBytes(run.WorkDir() / "epub" / "content.opf"), opf) << songs;
        EXPECT_EQ(ReadBytes(run.WorkDir() / "epub" / "toc.ncx"), ncx) << songs;
        EXPECT_TRUE(view.messages.shown.empty());

        // Without templates: the mark, then straight the generated lines.
        const auto templateLength = [&](const char* name) {
            return ReadBytes(app / "template" / name).size() + 2;
        };
        const std::string opfLines = "\xEF\xBB\xBF" + opf.substr(3 + templateLength("content.opf"));
        const std::string ncxLines = "\xEF\xBB\xBF" + ncx.substr(3 + templateLength("toc.ncx"));
        fs::remove(app / "template" / "content.opf");
        fs::remove(app / "template" / "toc.ncx");
        WritePackageDocument(run, buildClock, view);
        WriteNavigationDocument(run, view);
        EXPECT_EQ(ReadBytes(run.WorkDir() / "epub" / "content.opf"), opfLines) << songs;
        EXPECT_EQ(ReadBytes(run.WorkDir() / "epub" / "toc.ncx"), ncxLines) << songs;
        EXPECT_EQ(opfLines.substr(3, 12), "\t\t<dc:title>");
        EXPECT_EQ(view.messages.shown.size(), 2u);
    }
}

}  // namespace
}  // namespace velmora
