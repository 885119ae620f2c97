// One real book, built with the real 7za in a program folder whose path holds blanks,
// quotes and Chinese characters, from the bad-input corpus: a valid container, documents
// that parse, epubcheck's approval, and every song's name and lyric readable back.

#include <algorithm>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "epub/book_maker.h"
#include "song_file.h"
#include "support/build_fakes.h"
#include "support/bytes.h"
#include "support/command.h"
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

// The first songs of the corpus are plain ones, for pandoc.
constexpr std::size_t kPlainSongs = 3;

class EndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        songs = bench::ReadSongFile(fs::path(VELMORA_TEST_DATA) / "corpus" / "bad_input.json");
        folder = new ProgramFolder("my \"lyric\" 歌词 book's app");
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
        ASSERT_EQ(BuildToEnd(maker), u"");
        book = maker.BookPath();
        entries = ReadZip(ReadBytes(book));
    }
    static void TearDownTestSuite() { delete folder; }

    static const std::string& Entry(const std::string& name) {
        const auto entry = std::find_if(entries.begin(), entries.end(),
                                        [&](const ZipEntry& e) { return e.name == name; });
        if (entry == entries.end()) {
            throw std::runtime_error("no entry " + name);
        }
        return entry->data;
    }

    static inline std::vector<bench::Song> songs;
    static inline ProgramFolder* folder = nullptr;
    static inline fs::path book;
    static inline std::vector<ZipEntry> entries;
};

TEST_F(EndToEnd, ContainerStartsWithStoredMimetypeAndStoresEverything) {
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "mimetype");
    EXPECT_EQ(entries[0].localHeaderOffset, 0u);
    EXPECT_EQ(entries[0].localExtraLength, 0u);
    EXPECT_EQ(entries[0].data, "application/epub+zip");
    for (const ZipEntry& entry : entries) {
        EXPECT_EQ(entry.method, 0) << entry.name;
    }
    EXPECT_EQ(entries.size(), 9 + songs.size());
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
    EXPECT_EQ(parsed, 4 + static_cast<int>(songs.size()));
}

TEST_F(EndToEnd, PassesEpubcheck) {
    EXPECT_TRUE(PassesEpubcheck(book));
}

TEST_F(EndToEnd, EveryPageGivesNameAndLyricBack) {
    EXPECT_GE(std::max_element(
                  songs.begin(), songs.end(),
                  [](const auto& a, const auto& b) { return a.lyric.size() < b.lyric.size(); })
                  ->lyric.size(),
              300000u);
    for (std::size_t i = 0; i < songs.size(); ++i) {
        const std::string name = "text/" + codepage::ToUtf8(PageFileName(static_cast<int>(i + 1)));
        const XmlDocument page = ParseXml(Entry(name));
        ASSERT_NE(page, nullptr) << name;
        xmlNode* root = xmlDocGetRootElement(page.get());
        EXPECT_EQ(TextOf(FindElement(root, "h2")), LineEndsAsParsed(Carried(songs[i].name)))
            << name;
        EXPECT_EQ(TextOf(FindElement(root, "p")), Carried(songs[i].lyric)) << name;
    }
}

TEST_F(EndToEnd, NavigationLabelsAreTheNames) {
    const XmlDocument ncx = ParseXml(Entry("toc.ncx"));
    ASSERT_NE(ncx, nullptr);
    const std::vector<xmlNode*> labels = FindElements(xmlDocGetRootElement(ncx.get()), "navLabel");
    ASSERT_EQ(labels.size(), songs.size());
    for (std::size_t i = 0; i < songs.size(); ++i) {
        EXPECT_EQ(TextOf(FindElement(labels[i]->children, "text")),
                  LineEndsAsParsed(Carried(songs[i].name)));
    }
}

TEST_F(EndToEnd, PandocReadsThePlainSongsWithTheirLines) {
    const CommandResult text = RunCommand({"pandoc", "-f", "epub", "-t", "plain", book.string()});
    ASSERT_EQ(text.exitCode, 0) << text.output;
    std::size_t at = 0;
    for (std::size_t i = 0; i < kPlainSongs; ++i) {
        std::vector<std::string> expected{codepage::ToUtf8(songs[i].name)};
        std::istringstream lines(codepage::ToUtf8(songs[i].lyric));
        for (std::string line; std::getline(lines, line);) {
            expected.push_back(line.substr(0, line.find('\r')) + "\n");
        }
        for (const std::string& piece : expected) {
            at = text.output.find(piece, at);
            ASSERT_NE(at, std::string::npos) << piece << " missing or out of order";
        }
    }
}

}  // namespace
}  // namespace velmora
