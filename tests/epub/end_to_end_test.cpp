// Real books, built with the real 7za in program folders whose paths hold blanks, quotes
// and Chinese characters: one of the bad-input corpus and one without songs. Each is a valid
// container that epubcheck accepts but for the known metadata errors, and every name and
// lyric of the corpus reads back as typed.

#include <sstream>

#include <gtest/gtest.h>

#include "epub/book_maker.h"
#include "song_file.h"
#include "support/command.h"
#include "support/fakes.h"
#include "support/files.h"
#include "text/code_page.h"
#include "text/xml_text.h"
#include "workspace/song_page.h"
#include "workspace/workspace.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// epubcheck's report holds the six errors of the fixed metadata lines (the empty
// dc:identifier, dc:x-metadata, the date as a stamp, the empty tour) and nothing else.
void ExpectOnlyTheKnownErrors(const fs::path& book) {
    const std::string report =
        RunCommand({"java", "-jar", "/usr/bin/epubcheck", book.string()}).output;
    EXPECT_NE(report.find("Messages: 0 fatals / 6 errors / 0 warnings"), std::string::npos)
        << report;
    for (const char* known :
         {"\"dc:identifier\" invalid", "\"dc:x-metadata\" not allowed",
          "Date value \"1704067200\" is not valid", "\"tour\" not allowed",
          "\"tour\" missing required attribute \"title\"", "\"tour\" incomplete"}) {
        EXPECT_NE(report.find(known), std::string::npos) << known << "\n" << report;
    }
}

fs::path BuildBook(const ProgramFolder& app, const std::vector<songs::Song>& songs) {
    FixedClock clock{kNewYear2024};
    FakeView view;
    Workspace run(app.path(), clock, view);
    run.ReadyToMake();
    for (const auto& song : songs) {
        run.AddLyric(song.name, song.lyric);
    }
    BookMaker maker(run, clock, view);
    EXPECT_EQ(BuildToEnd(maker), u"");
    return maker.BookPath();
}

// The text between the first `open` tag's end and `close`, as a reader gets it back: the
// three escapes undone, each <br/> the carriage return it stood for.
std::u16string ElementText(const std::string& document, const std::string& open,
                           const std::string& close, std::size_t& at) {
    const std::size_t start = document.find('>', document.find(open, at) + open.size()) + 1;
    at = document.find(close, start);
    std::u16string text = codepage::FromUtf8(document.substr(start, at - start));
    for (const auto& [escaped, plain] : {std::pair<std::u16string, std::u16string>{u"<br/>", u"\r"},
                                         {u"&lt;", u"<"},
                                         {u"&gt;", u">"},
                                         {u"&amp;", u"&"}}) {
        for (auto i = text.find(escaped); i != std::u16string::npos; i = text.find(escaped, i)) {
            text.replace(i, escaped.size(), plain);
            i += plain.size();
        }
    }
    return text;
}

// What XML can carry of a text: characters it does not allow as U+FFFD.
std::u16string Carried(std::u16string_view text) {
    std::u16string carried = codepage::WellFormed(text);
    for (char16_t& unit : carried) {
        const bool control = unit < 0x20 && unit != u'\t' && unit != u'\n' && unit != u'\r';
        if (control || unit == u'\uFFFE' || unit == u'\uFFFF') {
            unit = u'\uFFFD';
        }
    }
    return carried;
}

class CorpusBook : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        songs = songs::ReadSongFile(fs::path(VELMORA_TEST_DATA) / "corpus" / "bad_input.json");
        folder = new ProgramFolder("my \"lyric\" 歌词 book's app");
        book = BuildBook(*folder, songs);
        files = ExtractBook(book);
    }
    static void TearDownTestSuite() { delete folder; }

    static inline std::vector<songs::Song> songs;
    static inline ProgramFolder* folder = nullptr;
    static inline fs::path book;
    static inline std::map<std::string, std::string> files;
};

TEST_F(CorpusBook, ContainerStartsWithStoredMimetypeAndStoresEverything) {
    const std::string bytes = ReadBytes(book);
    // Local header: signature, method 0 at 8, sizes 20 at 18, name length 8 and no extra field.
    EXPECT_EQ(bytes.substr(0, 4), "PK\x03\x04");
    EXPECT_EQ(bytes.substr(8, 2), std::string(2, '\0'));
    EXPECT_EQ(bytes.substr(18, 12), Hex("14 00 00 00 14 00 00 00 08 00 00 00"));
    EXPECT_EQ(bytes.substr(30, 28), "mimetypeapplication/epub+zip");
    const std::string listing = RunCommand({"7za", "l", "-slt", book.string()}).output;
    std::size_t stored = 0;
    for (auto at = listing.find("Method = Store"); at != std::string::npos;
         at = listing.find("Method = Store", at + 1)) {
        ++stored;
    }
    EXPECT_EQ(stored, files.size());
}

TEST_F(CorpusBook, PassesEpubcheckButForTheKnownMetadataErrors) {
    ExpectOnlyTheKnownErrors(book);
}

TEST_F(CorpusBook, EveryNameAndLyricComesBack) {
    const std::string& ncx = files.at("toc.ncx");
    std::size_t inNcx = 0;
    for (std::size_t i = 0; i < songs.size(); ++i) {
        const std::string& page =
            files.at("text/" + codepage::ToUtf8(PageFileName(static_cast<int>(i + 1))));
        std::size_t at = 0;
        EXPECT_EQ(ElementText(page, "<h2", "</h2>", at), Carried(songs[i].name)) << i;
        EXPECT_EQ(ElementText(page, "<p", "</p>", at), Carried(songs[i].lyric)) << i;
        EXPECT_EQ(ElementText(ncx, "<navLabel>\r\n\t\t\t\t<text", "</text>", inNcx),
                  Carried(songs[i].name))
            << i;
    }
}

// The corpus opens with three plain songs; pandoc reads them with every line.
TEST_F(CorpusBook, PandocReadsThePlainSongs) {
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

TEST(EmptyBook, PassesEpubcheckButForTheKnownMetadataErrors) {
    ProgramFolder app;
    ExpectOnlyTheKnownErrors(BuildBook(app, {}));
}

}  // namespace
}  // namespace velmora
