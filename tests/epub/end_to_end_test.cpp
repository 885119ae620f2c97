// Real books, built with the real 7za in folders whose paths hold blanks, quotes and Chinese:
// valid containers epubcheck accepts but for the known metadata errors, read back as typed.

#include <regex>

#include "import/book_reader.h"
#include "platform/path_text.h"
#include "song_file.h"
#include "support/fakes.h"
#include "text/code_page.h"
#include "workspace/run_layout.h"

namespace velmora {
namespace {

using namespace testing;

// A program folder with what a command line must quote; Windows allows no '"' in a name.
#ifdef _WIN32
const fs::path kTrickyFolderName = u8"my 'lyric' 歌词 book's app & (1)";
#else
const fs::path kTrickyFolderName = u8"my \"lyric\" 歌词 book's app";
#endif

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

// What the book reader gives back of a text: what XML does not allow as U+FFFD, and in a
// lyric every line end (CR LF, CR, LF) as CR LF, as the lyric box gives them.
std::u16string AsRead(std::u16string_view text, bool lyric) {
    const std::u16string carried = codepage::WellFormed(text);
    std::u16string read;
    for (std::size_t i = 0; i < carried.size(); ++i) {
        const char16_t unit = carried[i];
        if (lyric && (unit == u'\r' || unit == u'\n')) {
            read += u"\r\n";
            i += carried.substr(i, 2) == u"\r\n" ? 1 : 0;
        } else {
            const bool control = unit < 0x20 && unit != u'\t' && unit != u'\n' && unit != u'\r';
            read += control || unit >= u'\uFFFE' ? u'\uFFFD' : unit;
        }
    }
    return read;
}

// Every entry stored, not compressed (epubcheck sees to mimetype: first, stored, no extra
// field); read back by the book reader (libxml2 on every page). A book of no songs passes too.
TEST(CorpusBook, IsStoredPassesEpubcheckAndReadsBack) {
    const auto songs =
        songs::ReadSongFile(fs::path(VELMORA_TEST_DATA) / "corpus" / "bad_input.json");
    const ProgramFolder app(kTrickyFolderName);
    const fs::path book = BuildBook(app, songs);
    const std::string listing = RunCommand({"7za", "l", "-slt", book.string()}).output;
    const std::regex stored("Method = Store");
    EXPECT_EQ(std::distance(std::sregex_iterator(listing.begin(), listing.end(), stored), {}),
              std::ssize(songs) + 6);
    ExpectOnlyTheKnownErrors(book);
    std::vector<Song> carried;
    for (const auto& song : songs) {
        carried.push_back({AsRead(song.name, false), AsRead(song.lyric, true)});
    }
    EXPECT_EQ(ReadBook(ReadBytes(book)).songs, carried);
    const ProgramFolder empty;
    ExpectOnlyTheKnownErrors(BuildBook(empty, {}));
}

// A named book of 1, 3 and 120 songs by several artists (its own pages, stanzas, credits, an
// index) passes epubcheck without a word and reads back whole.
TEST(NamedBook, PassesEpubcheckWithoutAWord) {
    const BookInfo named{u"流行 & <金曲>", u"小明"};
    const std::u16string artists[] = {u"周杰伦 & <Jay>", u"Coldplay", u"陈奕迅", u""};
    for (const int count : {1, 3, 120}) {
        ProgramFolder app;
        std::vector<Song> songs;
        for (int n = 0; n < count; ++n) {
            songs.push_back({u"晴天" + codepage::FromUtf8(std::to_string(n)),
                             u"故事的\r\n小黄花\r\n\r\n从出生那年", artists[n % 4],
                             n % 3 == 0 ? u"词：方文山\r\n曲：周杰伦" : u""});
        }
        const fs::path book = BuildBook(app, {}, named, songs);
        EXPECT_EQ(book, app / "finished" / PathFromText(RunLayout::BookFileName(named.title)));
        const std::string report =
            RunCommand({"java", "-jar", "/usr/bin/epubcheck", book.string()}).output;
        EXPECT_NE(report.find("No errors or warnings detected"), std::string::npos) << report;
        const Book read = ReadBook(ReadBytes(book));
        EXPECT_EQ(BookInfo(read.title, read.author), named);
        EXPECT_EQ(read.songs, songs);
        EXPECT_EQ(ExtractBook(book).contains("artists.xhtml"), count >= 2) << count;
    }
}

}  // namespace
}  // namespace velmora
