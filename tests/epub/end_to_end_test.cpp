#include <sstream>

#include <gtest/gtest.h>

#include "epub/book_maker.h"
#include "support/build_fakes.h"
#include "support/bytes.h"
#include "support/command.h"
#include "support/epubcheck.h"
#include "support/fakes.h"
#include "support/page_text.h"
#include "support/program_folder.h"
#include "support/zip_reader.h"
#include "text/code_page.h"
#include "workspace/workspace.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;

// What epubcheck 4.2.6 says of the fixed metadata lines of the package document: the empty
// dc:identifier, dc:x-metadata, the date as a stamp, and the empty tour.
struct Song {
    std::u16string name;
    std::u16string lyric;
};

const Song kSongs[] = {
    {u"月光", u"床前明月光\r\n疑是地上霜"},
    {u"Tom & Jerry \U0001F600", u"a < b\r\nc > d & e"},
    {u"春天 <live>", u"第一行\r\n第二行\r\n第三行"},
};

// A program folder whose path has blanks, quotes and Chinese characters.
class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_symlink("/usr/bin/7za", app / "7za");
        run.ReadyToMake();
        for (const Song& song : kSongs) {
            run.AddLyric(song.name, song.lyric);
        }
        maker.MakeBook();
        WaitForBuild(maker);
        ASSERT_EQ(buildView.statuses.back(), u"制作完成");
        entries = ReadZip(ReadBytes(maker.BookPath()));
    }

    ProgramFolder app{"my \"lyric\" 歌词 book's app"};
    FixedClock clock{kNewYear2024};
    FakeView view;
    FakeBuildView buildView;
    Workspace run{app.path(), clock, view};
    BookMaker maker{run, clock, buildView};
    std::vector<ZipEntry> entries;
};

TEST_F(EndToEnd, ContainerStartsWithStoredMimetypeAndStoresEverything) {
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries[0].name, "mimetype");
    EXPECT_EQ(entries[0].localHeaderOffset, 0u);
    EXPECT_EQ(entries[0].localExtraLength, 0u);
    EXPECT_EQ(entries[0].data, "application/epub+zip");
    std::vector<std::string> names;
    for (const ZipEntry& entry : entries) {
        EXPECT_EQ(entry.method, 0) << entry.name;
        names.push_back(entry.name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"mimetype", "META-INF/", "META-INF/container.xml",
                                        "content.opf", "cover.jpeg", "images/", "text/",
                                        "text/part0001.html", "text/part0002.html",
                                        "text/part0003.html", "titlepage.xhtml", "toc.ncx"}));
}

TEST_F(EndToEnd, EveryDocumentParsesAsXml) {
    int parsed = 0;
    for (const ZipEntry& entry : entries) {
        const std::string extension = fs::path(entry.name).extension().string();
        if (extension == ".html" || extension == ".xhtml" || extension == ".opf" ||
            extension == ".ncx" || extension == ".xml") {
            EXPECT_NE(ParseXml(entry.data), nullptr) << entry.name;
            ++parsed;
        }
    }
    EXPECT_EQ(parsed, 7);
}

TEST_F(EndToEnd, EpubcheckFindsOnlyTheKnownMetadataErrors) {
    EXPECT_TRUE(PassesEpubcheck(maker.BookPath()));
}

TEST_F(EndToEnd, PandocReadsEverySongWithItsLines) {
    const CommandResult text =
        RunCommand({"pandoc", "-f", "epub", "-t", "plain", maker.BookPath().string()});
    ASSERT_EQ(text.exitCode, 0) << text.output;
    std::size_t at = 0;
    for (const Song& song : kSongs) {
        std::vector<std::string> expected{codepage::ToUtf8(song.name)};
        std::istringstream lines(codepage::ToUtf8(song.lyric));
        for (std::string line; std::getline(lines, line);) {
            expected.push_back(line.substr(0, line.find('\r')) + "\n");
        }
        for (const std::string& piece : expected) {
            at = text.output.find(piece, at);
            ASSERT_NE(at, std::string::npos) << piece << " missing or out of order in\n"
                                             << text.output;
        }
    }
}

}  // namespace
}  // namespace velmora
