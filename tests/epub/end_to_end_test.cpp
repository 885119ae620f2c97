// Real books, built with the real 7za in program folders whose paths hold blanks, quotes
// and Chinese characters: one of the bad-input corpus and one without songs. Each is a valid
// container that epubcheck accepts but for the known metadata errors, and every name and
// lyric of the corpus reads back as typed (the import of a book made earlier).

#include "import/book_reader.h"
#include "song_file.h"
#include "support/fakes.h"
#include "text/code_page.h"

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

fs::path BuildBook(const ProgramFolder& app, const std::vector<songs::Song>& songs,
                   const BookInfo& book = {}, const std::vector<Song>& more = {}) {
    FixedClock clock{kNewYear2024};
    PhaseRecorder shown;
    Workspace run(app.path(), clock);
    run.ReadyToMake();
    for (const auto& song : songs) {
        run.AddLyric(song.name, song.lyric);
    }
    run.AddSongs(run.Songs().SongCount() + 1, more);
    BookMaker maker(run, clock, shown);
    EXPECT_EQ(BuildToEnd(maker, {{}, {}, book}), "");
    return maker.BookPath();
}

// Every line end (CR LF, CR, LF) as CR LF, as the lyric box gives them.
std::u16string CrLf(std::u16string_view text) {
    std::u16string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            lines += u"\r\n";
            i += text.substr(i, 2) == u"\r\n" ? 1 : 0;
        } else {
            lines += text[i];
        }
    }
    return lines;
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
    }
    static void TearDownTestSuite() { delete folder; }

    static inline std::vector<songs::Song> songs;
    static inline ProgramFolder* folder = nullptr;
    static inline fs::path book;
};

// Every entry stored, not compressed (epubcheck sees to mimetype: first, stored, no extra
// field).
TEST_F(CorpusBook, StoresEveryEntry) {
    const std::string listing = RunCommand({"7za", "l", "-slt", book.string()}).output;
    std::size_t stored = 0;
    for (auto at = listing.find("Method = Store"); at != std::string::npos;
         at = listing.find("Method = Store", at + 1)) {
        ++stored;
    }
    EXPECT_EQ(stored, songs.size() + 6);
}

TEST_F(CorpusBook, PassesEpubcheckButForTheKnownMetadataErrors) {
    ExpectOnlyTheKnownErrors(book);
}

// Read back by the book reader (libxml2 on every page): each name and lyric as typed, but
// for what XML cannot carry.
TEST_F(CorpusBook, EveryNameAndLyricComesBack) {
    std::vector<Song> carried;
    for (const auto& song : songs) {
        carried.push_back({Carried(song.name), CrLf(Carried(song.lyric))});
    }
    EXPECT_EQ(ReadBook(ReadBytes(book)).songs, carried);
}

TEST(EmptyBook, PassesEpubcheckButForTheKnownMetadataErrors) {
    ProgramFolder app;
    ExpectOnlyTheKnownErrors(BuildBook(app, {}));
}

// A named book, songs with artists in it, is valid: epubcheck finds nothing at all. Read
// back, it has its title and author, and each song its artist.
TEST(NamedBook, PassesEpubcheckWithoutAWord) {
    ProgramFolder app;
    const BookInfo named{u"流行 & <金曲>", u"小明"};
    const Song sung{u"晴天", u"故事的\r\n小黄花", u"周杰伦 & <Jay>"};
    const fs::path book = BuildBook(app, songs::GenerateSongs(2, 4), named, {sung});
    EXPECT_EQ(book, app / "finished" / "流行 & <金曲>.epub");
    const std::string report =
        RunCommand({"java", "-jar", "/usr/bin/epubcheck", book.string()}).output;
    EXPECT_NE(report.find("No errors or warnings detected"), std::string::npos) << report;
    const Book read = ReadBook(ReadBytes(book));
    EXPECT_EQ(BookInfo(read.title, read.author), named);
    ASSERT_EQ(read.songs.size(), 3u);
    EXPECT_EQ(read.songs[2], sung);
    EXPECT_NE(ExtractBook(book).at("toc.ncx").find("晴天（周杰伦 &amp; &lt;Jay&gt;）"),
              std::string::npos);
}

}  // namespace
}  // namespace velmora
