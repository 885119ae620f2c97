// One book from the bad-input corpus: it passes epubcheck, and every song's name and lyric
// come back from it as XML can carry them.

#include <algorithm>
#include <map>

#include <gtest/gtest.h>

#include "epub/book_maker.h"
#include "song_file.h"
#include "support/build_fakes.h"
#include "support/bytes.h"
#include "support/epubcheck.h"
#include "support/fakes.h"
#include "support/page_text.h"
#include "support/program_folder.h"
#include "support/zip_reader.h"
#include "text/code_page.h"
#include "workspace/song_page.h"
#include "workspace/workspace.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;

class CorpusBook : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        songs = bench::ReadSongFile(fs::path(VELMORA_TEST_DATA) / "corpus" / "bad_input.json");
        folder = new ProgramFolder("corpus 歌词 app");
        fs::create_symlink("/usr/bin/7za", *folder / "7za");
        FixedClock clock{kNewYear2024};
        FakeView view;
        FakeBuildView buildView;
        Workspace run(folder->path(), clock, view);
        run.ReadyToMake();
        for (const auto& song : songs) {
            run.AddLyric(song.name, song.lyric);
        }
        BookMaker maker(run, clock, buildView);
        maker.MakeBook();
        WaitForBuild(maker);
        book = maker.BookPath();
        for (auto& entry : ReadZip(ReadBytes(book))) {
            entries.emplace(entry.name, std::move(entry.data));
        }
    }
    static void TearDownTestSuite() { delete folder; }

    static inline std::vector<bench::Song> songs;
    static inline ProgramFolder* folder = nullptr;
    static inline fs::path book;
    static inline std::map<std::string, std::string> entries;
};

TEST_F(CorpusBook, HoldsTheWholeCorpus) {
    ASSERT_EQ(songs.size(), 10u);
    const auto longest = std::max_element(
        songs.begin(), songs.end(),
        [](const auto& a, const auto& b) { return a.lyric.size() < b.lyric.size(); });
    EXPECT_GE(codepage::ToUtf8(longest->lyric).size(), 1000000u);
    EXPECT_TRUE(entries.count("text/part0010.html"));
}

TEST_F(CorpusBook, PassesEpubcheck) {
    EXPECT_TRUE(PassesEpubcheck(book));
}

TEST_F(CorpusBook, EveryPageGivesNameAndLyricBack) {
    for (std::size_t i = 0; i < songs.size(); ++i) {
        const std::string name = "text/" + codepage::ToUtf8(PageFileName(static_cast<int>(i + 1)));
        const XmlDocument page = ParseXml(entries.at(name));
        ASSERT_NE(page, nullptr) << name;
        xmlNode* root = xmlDocGetRootElement(page.get());
        EXPECT_EQ(TextOf(FindElement(root, "h2")), LineEndsAsParsed(Carried(songs[i].name)))
            << name;
        EXPECT_EQ(TextOf(FindElement(root, "p")), Carried(songs[i].lyric)) << name;
    }
}

TEST_F(CorpusBook, NavigationLabelsAreTheNames) {
    const XmlDocument ncx = ParseXml(entries.at("toc.ncx"));
    ASSERT_NE(ncx, nullptr);
    const std::vector<xmlNode*> labels = FindElements(xmlDocGetRootElement(ncx.get()), "navLabel");
    ASSERT_EQ(labels.size(), songs.size());
    for (std::size_t i = 0; i < songs.size(); ++i) {
        EXPECT_EQ(TextOf(FindElement(labels[i]->children, "text")),
                  LineEndsAsParsed(Carried(songs[i].name)));
    }
}

}  // namespace
}  // namespace velmora
