#include <gtest/gtest.h>

#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "support/bytes.h"
#include "support/fakes.h"
#include "support/golden.h"
#include "support/program_folder.h"
#include "workspace/workspace.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;

std::u16string SongName(int n) {
    switch (n) {
        case 1:
            return u"春天";
        case 2:
            return u"月光";
        case 3:
            return u"Tom & Jerry <live>";
        default:
            return u" 歌" + U16(std::to_string(n)) + u" ";
    }
}

class DocumentsTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        run.ReadyToMake();
        for (int n = 1; n <= GetParam(); ++n) {
            run.AddLyric(SongName(n), u"x");
        }
    }
    std::string Opf() {
        WritePackageDocument(run, buildClock, view);
        return ReadBytes(run.WorkDir() / "epub" / "content.opf");
    }
    std::string Ncx() {
        WriteNavigationDocument(run, view);
        return ReadBytes(run.WorkDir() / "epub" / "toc.ncx");
    }
    // The golden document without its template part: BOM, then the generated lines.
    std::string WithoutTemplate(const std::string& golden, const char* templateName) {
        const std::size_t templateLength = ReadBytes(app / "template" / templateName).size() + 2;
        return golden.substr(0, 3) + golden.substr(3 + templateLength);
    }

    ProgramFolder app;
    FixedClock startClock{kNewYear2024};
    FixedClock buildClock{kNewYear2024 + 86400};
    FakeView view;
    Workspace run{app.path(), startClock, view};
};

TEST_P(DocumentsTest, PackageDocumentIsByteExact) {
    EXPECT_TRUE(MatchesGolden(Opf(), "content-" + std::to_string(GetParam()) + ".opf"));
    EXPECT_TRUE(view.messages.shown.empty());
}

TEST_P(DocumentsTest, NavigationDocumentIsByteExact) {
    EXPECT_TRUE(MatchesGolden(Ncx(), "toc-" + std::to_string(GetParam()) + ".ncx"));
    EXPECT_TRUE(view.messages.shown.empty());
}

TEST_P(DocumentsTest, MissingTemplatesLeaveTheGeneratedLinesOnly) {
    const std::string opf =
        ReadBytes(fs::path(VELMORA_TEST_DATA) / ("content-" + std::to_string(GetParam()) + ".opf"));
    const std::string ncx =
        ReadBytes(fs::path(VELMORA_TEST_DATA) / ("toc-" + std::to_string(GetParam()) + ".ncx"));
    const std::string opfLines = WithoutTemplate(opf, "content.opf");
    const std::string ncxLines = WithoutTemplate(ncx, "toc.ncx");
    fs::remove(app / "template" / "content.opf");
    fs::remove(app / "template" / "toc.ncx");
    EXPECT_EQ(Opf(), opfLines);
    EXPECT_EQ(Ncx(), ncxLines);
    EXPECT_EQ(opfLines.substr(3, 12), "\t\t<dc:title>");
    EXPECT_EQ(ncxLines.substr(3, 11), "\t<docTitle>");
    EXPECT_EQ(view.messages.shown.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Songs, DocumentsTest, ::testing::Values(0, 1, 3, 12));

}  // namespace
}  // namespace velmora
