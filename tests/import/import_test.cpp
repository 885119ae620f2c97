// Songs brought in from files: LRC and text lyrics in every encoding, books this program
// made (read back to the songs that went in), and every file that must be skipped.

#include "import/book_reader.h"
#include "import/importer.h"
#include "import/lyric_file.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "text/code_page.h"
#include "text/limits.h"

namespace velmora {

void PrintTo(const Song& song, std::ostream* out) {
    *out << codepage::ToUtf8(song.name + u" | " + song.lyric);
}

namespace {

namespace fs = std::filesystem;
using namespace testing;

TEST(LyricFiles, LrcGivesTheLyricAPlayerShows) {
    const struct {
        std::u16string text;
        Song song;
    } table[] = {
        {u"[ti:月光]\n[ar:李白]\n[offset:+500]\n[00:01.00]床前明月光\n[00:02.50]疑是地上霜",
         {u"月光", u"床前明月光\r\n疑是地上霜"}},
        // Every time form; a line with several tags once for each, all in time order; one
        // digit of fraction is tenths.
        {u"[00:03]c\r\n[00:01.5]a\r[01:00:00]z\n[00:02.250][00:04.00]b\n[00:01.20]y",
         {u"f", u"y\r\na\r\nb\r\nc\r\nb\r\nz"}},
        // Word timings out, untimed text after the line it followed (at that line's first
        // time), ID-only lines out.
        {u"[ti: ]\n前奏\n[00:05.00]<00:05.00>一<00:05.50>二\n副歌\n[by:x]\n[00:01.00]开始",
         {u"f", u"前奏\r\n开始\r\n一二\r\n副歌"}},
        {u"[00:09][00:01]甲\n乙\n[00:05]丙", {u"f", u"甲\r\n丙\r\n甲\r\n乙"}},
        // A tag-like text stays text; blank timed lines inside stay, at the ends go.
        {u"[00:01.00]\n[00:02.00][Chorus] la\n[00:03.00]\n[00:04.00] x \n[00:05.00]",
         {u"f", u"[Chorus] la\r\n\r\nx"}},
        {u"[00:99.00]not a time\n[aa:bb]", {u"f", u"[00:99.00]not a time"}},
    };
    for (const auto& row : table) {
        EXPECT_EQ(SongFromLrc(row.text, u"f"), row.song) << codepage::ToUtf8(row.text);
    }
    EXPECT_EQ(SongFromText(u"\r\n \n歌\r\n\r\n词\r歌\n\n", u"f"),
              (Song{u"f", u"歌\r\n\r\n词\r\n歌"}));
}

TEST(LyricFiles, EveryEncodingIsReadAsItIs) {
    const std::u16string text = u"月光 \U00020000 x";
    const struct {
        std::string bytes;
        std::optional<std::u16string> text;
    } table[] = {
        {codepage::ToUtf8(text), text},
        {"\xEF\xBB\xBF" + codepage::ToUtf8(text), text},
        {codepage::Encode(text, codepage::kGb18030).value(), text},
        {Hex("FF FE 08 67 49 51 20 00 40 D8 00 DC 20 00 78 00"), text},
        {Hex("FE FF 67 08 51 49 00 20 D8 40 DC 00 00 20 00 78"), text},
        {Hex("FF FE 00 00 08 67 00 00"), u"月"},
        {Hex("00 00 FE FF 00 00 67 08"), u"月"},
        {std::string("a\0b", 3), std::nullopt},
    };
    for (const auto& row : table) {
        EXPECT_EQ(DecodeLyricFile(row.bytes), row.text) << row.bytes;
    }
}

class Progress : public ImportProgress {
public:
    explicit Progress(std::size_t cancelAt = SIZE_MAX) : cancelAt_(cancelAt) {}
    bool Going(std::size_t done, std::size_t) override { return done < cancelAt_; }

private:
    std::size_t cancelAt_;
};

using ImportTest = RunTest;

TEST_F(ImportTest, FilesThatCannotBeUsedAreSkippedAndTheRestComeIn) {
    run.ReadyToMake();
    const fs::path dir = app / "lyrics";
    const fs::path bad = app / "bad";
    fs::create_directories(dir / "more");
    fs::create_directory(bad);
    WriteBytes(dir / "10.lrc", "[00:01.00]ten");
    WriteBytes(dir / "2.LRC", "[00:01.00]two");
    WriteBytes(dir / "more" / "1.txt", "one");
    WriteBytes(dir / "notes.doc", "skipped, not looked at");
    WriteBytes(dir / "largest.txt", std::string(kLargestLyricFile, 'a'));
    const fs::path books = fs::path(VELMORA_TEST_DATA) / "books";
    const struct {
        fs::path file;
        std::string bytes;  // "-" for a file from tests/data
        Problem problem;
        int error = 0;
    } skipped[] = {
        {bad / "empty.txt", "", Problem::Empty},
        {bad / "binary.txt", std::string("\0\x01", 2), Problem::NotText},
        {bad / "big.txt", std::string(kLargestLyricFile + 1, 'a'), Problem::TooLarge},
        {bad / "tags.lrc", "[ti:x]\n[ar:y]", Problem::NoLyric},
        {bad / "song.mp3", "ID3", Problem::NotImportable},
        {bad / "locked.txt", "x", Problem::Unreadable, EACCES},
        {bad / "broken.epub", "PK not a zip", Problem::NotZip},
        {books / "foreign.epub", "-", Problem::ForeignBook},
        {books / "foreign-source.epub", "-", Problem::ForeignBook},
        {books / "foreign-contributor.epub", "-", Problem::ForeignBook},
        {books / "bomb.epub", "-", Problem::UnpacksTooLarge},
        {books / "liar.epub", "-", Problem::UnpacksTooLarge},
        {books / "spine.epub", "-", Problem::TooManyPages},
    };
    std::vector<fs::path> given{dir};
    for (const auto& row : skipped) {
        if (row.bytes != "-") {
            WriteBytes(row.file, row.bytes);
        }
        given.push_back(row.file);
    }
    ImportReport report;
    {
        InjectedFaults faults({{Call::Open, "locked.txt", EACCES}});
        Progress progress;
        report = Import(run, ImportFiles(given), progress);
    }
    EXPECT_EQ(list.rows, (std::vector<std::u16string>{u"2", u"10", u"largest", u"1"}));
    EXPECT_EQ(report.songs, 4);
    ASSERT_EQ(report.skipped.size(), std::size(skipped));
    for (std::size_t i = 0; i < std::size(skipped); ++i) {
        EXPECT_EQ(Described(report.skipped[i]),
                  Described(skipped[i].problem, skipped[i].file, skipped[i].error));
    }
}

// Cancelled, the import stops before the next file; the songs in so far stay.
TEST_F(ImportTest, CancelStopsAtTheNextFile) {
    run.ReadyToMake();
    std::vector<fs::path> files;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        files.push_back(app / name);
        WriteBytes(files.back(), name);
    }
    Progress cancelled(2);
    const ImportReport report = Import(run, {files, {}}, cancelled);
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(list.rows, (std::vector<std::u16string>{u"a", u"b"}));
}

}  // namespace
}  // namespace velmora
