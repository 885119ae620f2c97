// One real book from the bad-input corpus, built with the real 7za in a program folder whose
// path holds blanks, quotes and Chinese characters: a valid container that epubcheck accepts
// (but for the known metadata errors), and every name and lyric readable back.

#include <sstream>

#include <gtest/gtest.h>

#include "epub/book_maker.h"
#include "song_file.h"
#include "support/bytes.h"
#include "support/command.h"
#include "support/fakes.h"
#include "support/page_text.h"
#include "support/program_folder.h"
#include "text/code_page.h"
#include "workspace/song_page.h"
#include "workspace/workspace.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// What epubcheck 4.2.6 says of the fixed metadata lines: the empty dc:identifier,
// dc:x-metadata, the date as a stamp, and the empty tour.
const char* const kAllowedErrors[] = {
    "ERROR(RSC-005)", "character content of element \"dc:identifier\" invalid",
    "ERROR(RSC-005)", "element \"dc:x-metadata\" not allowed anywhere",
    "ERROR(OPF-054)", "Date value \"1704067200\" is not valid",
    "ERROR(RSC-005)", "element \"tour\" not allowed here",
    "ERROR(RSC-005)", "element \"tour\" missing required attribute \"title\"",
    "ERROR(RSC-005)", "element \"tour\" incomplete; missing required element \"site\"",
};

class EndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        songs = bench::ReadSongFile(fs::path(VELMORA_TEST_DATA) / "corpus" / "bad_input.json");
        folder = new ProgramFolder("my \"lyric\" 歌词 book's app");
        fs::create_symlink("/usr/bin/7za", *folder / "7za");
        FixedClock clock{kNewYear2024};
        FakeView view;
        Workspace run(folder->path(), clock, view);
        run.ReadyToMake();
        for (const auto& song : songs) {
            run.AddLyric(song.name, song.lyric);
        }
        BookMaker maker(run, clock, view);
        ASSERT_EQ(BuildToEnd(maker), u"");
        book = maker.BookPath();
        files = ExtractBook(book);
    }
    static void TearDownTestSuite() { delete folder; }

    static inline std::vector<bench::Song> songs;
    static inline ProgramFolder* folder = nullptr;
    static inline fs::path book;
    static inline std::map<std::string, std::string> files;
};

TEST_F(EndToEnd, ContainerStartsWithStoredMimetypeAndStoresEverything) {
    const std::string bytes = ReadBytes(book);
    // Local header: signature, method 0 at 8, sizes 20 at 18, name length 8 and no extra field.
    EXPECT_EQ(bytes.substr(0, 4), "PK\x03\x04");
    EXPECT_EQ(bytes.substr(8, 2), std::string(2, '\0'));
    EXPECT_EQ(bytes.substr(18, 12), Hex("14 00 00 00 14 00 00 00 08 00 00 00"));
    EXPECT_EQ(bytes.substr(30, 28), "mimetypeapplication/epub+zip");
    const std::string listing = RunCommand({"7za", "l", "-slt", book.string()}).output;
    const auto count = [&](const std::string& what) {
        std::size_t n = 0;
        for (auto at = listing.find(what); at != std::string::npos;
             at = listing.find(what, at + 1)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(count("Method = Store"), count("Method = "));
    EXPECT_GE(count("Method = Store"), files.size());
}

TEST_F(EndToEnd, PassesEpubcheckButForTheKnownMetadataErrors) {
    const std::string output =
        RunCommand({"java", "-jar", "/usr/bin/epubcheck", book.string()}).output;
    ASSERT_NE(output.find("Messages: 0 fatals / 6 errors"), std::string::npos) << output;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        bool allowed = line.rfind("ERROR", 0) != 0;
        for (std::size_t i = 0; i < std::size(kAllowedErrors); i += 2) {
            allowed = allowed || (line.rfind(kAllowedErrors[i], 0) == 0 &&
                                  line.find(kAllowedErrors[i + 1]) != std::string::npos);
        }
        EXPECT_TRUE(allowed) << line;
    }
}

TEST_F(EndToEnd, EveryNameAndLyricComesBack) {
    const XmlDocument ncx = ParseXml(files.at("toc.ncx"));
    ASSERT_NE(ncx, nullptr);
    const std::vector<xmlNode*> labels = FindElements(xmlDocGetRootElement(ncx.get()), "navLabel");
    ASSERT_EQ(labels.size(), songs.size());
    for (std::size_t i = 0; i < songs.size(); ++i) {
        const std::u16string name = LineEndsAsParsed(Carried(songs[i].name));
        const XmlDocument page =
            ParseXml(files.at("text/" + codepage::ToUtf8(PageFileName(static_cast<int>(i + 1)))));
        ASSERT_NE(page, nullptr) << i;
        xmlNode* root = xmlDocGetRootElement(page.get());
        EXPECT_EQ(TextOf(FindElements(root, "h2").at(0)), name) << i;
        EXPECT_EQ(TextOf(FindElements(root, "p").at(0)), Carried(songs[i].lyric)) << i;
        EXPECT_EQ(TextOf(FindElements(labels[i]->children, "text").at(0)), name) << i;
    }
    EXPECT_NE(ParseXml(files.at("content.opf")), nullptr);
}

// The corpus opens with three plain songs; pandoc reads them with every line.
TEST_F(EndToEnd, PandocReadsThePlainSongs) {
    const CommandResult text = RunCommand({"pandoc", "-f", "epub", "-t", "plain", book.string()});
    ASSERT_EQ(text.exitCode, 0) << text.output;
    std::size_t at = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        std::istringstream lines(codepage::ToUtf8(songs[i].name + u"\r\n" + songs[i].lyric));
        for (std::string line; std::getline(lines, line);) {
            at = text.output.find(line.substr(0, line.find('\r')), at);
            ASSERT_NE(at, std::string::npos) << line << " missing or out of order";
        }
    }
}

}  // namespace
}  // namespace velmora
