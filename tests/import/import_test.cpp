// Songs brought in from files: LRC and text lyrics in every encoding, books this program made,
// in a file manager's order, and every file that must be skipped, hostile ones too.

#ifndef _WIN32
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "import/importer.h"
#include "import/lyric_file.h"
#include "import/zip_archive.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "text/code_page.h"
#include "text/limits.h"
#include "text/natural_order.h"
#include "text/text_detection.h"
#include "workspace/journal.h"

namespace velmora {
namespace {

using namespace testing;

// An LRC file's lyric as a player shows it, its name and artist from its tags, else from its
// file's name: a track number dropped, "歌手 - 歌名" split; the credits at its top its own.
TEST(LyricFiles, LrcGivesTheLyricAPlayerShows) {
    const std::tuple<std::u16string, std::u16string, Song> table[] = {
        {u"[ti:月光]\n[ar:李白]\n[offset:+500]\n[00:01.00]床前明月光\n[00:02.50]疑是地上霜",
         u"a - f",
         {u"月光", u"床前明月光\r\n疑是地上霜", u"李白"}},
        // Every time form; a line with several tags once for each, all in time order; one
        // digit of fraction is tenths.
        {u"[00:03]c\r\n[00:01.5]a\r[01:00:00]z\n[00:02.250][00:04.00]b\n[00:01.20]y",
         u"a - f",
         {u"f", u"y\r\na\r\nb\r\nc\r\nb\r\nz", u"a"}},
        // Word timings out, untimed text after the line it followed (at that line's first
        // time), ID-only lines out.
        {u"[ti: ]\n前奏\n[00:05.00]<00:05.00>一<00:05.50>二\n副歌\n[by:x]\n[00:01.00]开始",
         u"a - f",
         {u"f", u"前奏\r\n开始\r\n一二\r\n副歌", u"a"}},
        {u"[00:09][00:01]甲\n乙\n[00:05]丙", u"a - f", {u"f", u"甲\r\n丙\r\n甲\r\n乙", u"a"}},
        // A tag-like text stays text; blank timed lines inside stay, at the ends go.
        {u"[00:01.00]\n[00:02.00][Chorus] la\n[00:03.00]\n[00:04.00] x \n[00:05.00]",
         u"a - f",
         {u"f", u"[Chorus] la\r\n\r\nx", u"a"}},
        {u"[00:60.00]not a time\n[aa:bb]", u"a - f", {u"f", u"[00:60.00]not a time", u"a"}},
        // Hundreds of "<" before one ">": text, read once.
        {u"[00:01]" + std::u16string(100000, u'<') + u">",
         u"a - f",
         {u"f", std::u16string(100000, u'<') + u">", u"a"}},
        {u"[00:01]甲\n\n[00:02]乙", u"a - f", {u"f", u"甲\r\n乙", u"a"}},
        // Times without text break the verses, once for several.
        {u"[00:01]甲\n[00:02]\n[00:03]\n[00:04] "
         u"<00:04.10>\n[00:05]乙\n[00:06]丙\n[00:07]\n[00:08]丁",
         u"a - f",
         {u"f", u"甲\r\n\r\n乙\r\n丙\r\n\r\n丁", u"a"}},
        {u"[00:00]f - a\n[00:01]词：甲\n[00:01]\n[00:02]作曲 : 乙\n[00:03]Music: "
         u"丙\n[00:04]\n[00:05]歌",
         u"a - f",
         {u"f", u"歌", u"a", u"f - a\r\n词：甲\r\n作曲 : 乙\r\nMusic: 丙"}},
        {u"[00:01]周杰伦 - f\n[00:02]歌", u"a - f", {u"f", u"歌", u"a", u"周杰伦 - f"}},
        {u"[00:01]Written by: L/M\n[00:01]Producer: G\n[00:02]Yesterday",
         u"f",
         {u"f", u"Yesterday", {}, u"Written by: L/M\r\nProducer: G"}},
        // Another song's name: its credits after it tell it for the title line.
        {u"[00:01]晴天 - 周杰伦\n[00:02]詞：方文山\n[00:03]歌",
         u"01",
         {u"01", u"歌", u"", u"晴天 - 周杰伦\r\n詞：方文山"}},
        // Not credits: a dash line alone, a role without its colon, a credit below the lyric.
        {u"[00:01]x - y\n[00:02]歌", u"a - f", {u"f", u"x - y\r\n歌", u"a"}},
        {u"[00:01]曲终人散\n[00:02]词：甲", u"a - f", {u"f", u"曲终人散\r\n词：甲", u"a"}},
        {u"", u"08 朴树 - 平凡之路", {u"平凡之路", {}, u"朴树"}},
        {u"", u"100 晴天", {u"晴天", {}}},
        {u"", u"08. 晴天", {u"晴天", {}}},
        {u"", u"08-晴天", {u"晴天", {}}},
        {u"", u"01", {u"01", {}}},
        {u"", u"2024年的歌", {u"2024年的歌", {}}},
        {u"", u"Love - ", {u"Love - ", {}}},
        {u"", u"周杰伦 - 晴天 - Live", {u"晴天 - Live", {}, u"周杰伦"}},
    };
    for (const auto& [text, file, song] : table) {
        EXPECT_EQ(SongFromLrc(text, file), song) << codepage::ToUtf8(text.substr(0, 50) + file);
    }
    EXPECT_EQ(SongFromText(u"\r\n \n歌\r\n\r\n词\r歌\n\n", u"f"),
              (Song{u"f", u"歌\r\n\r\n词\r\n歌"}));
    EXPECT_EQ(SongFromText(u"f - a\r\n\r\n 制作人：丁\r\n歌\r\n\r\n\r\n编曲：戊", u"a - f"),
              (Song{u"f", u"歌\r\n\r\n\r\n编曲：戊", u"a", u"f - a\r\n制作人：丁"}));
    EXPECT_EQ(SongFromText(u"f - \r\n歌", u"f").lyric, u"f - \r\n歌");  // no artist: no title line
    // 50,000 time tags on one long line would make gigabytes of lyric: refused before.
    std::u16string bomb;
    for (int i = 0; i < 50000; ++i) {
        bomb += u"[00:01]";
    }
    EXPECT_EQ(FailureOf([&] { SongFromLrc(bomb + std::u16string(600000, u'x'), u"f"); }),
              Described(Problem::LyricTooLong));
}

// The byte-order mark decides, then ICU's detector; a NUL byte in 8-bit text means no text.
TEST(LyricFiles, EveryEncodingIsReadAsItIs) {
    const std::u16string text = u"月光 \U00020000 x";
    const fs::path lyrics = fs::path(VELMORA_TEST_DATA) / "lyrics";
    const std::u16string simplified = u"[ti:晴天]\n[ar:周杰伦]\n[00:01.00]故事的小黄花";
    // The bytes, and their text or its start (nullopt: no text).
    const std::pair<std::string, std::optional<std::u16string>> table[] = {
        {codepage::ToUtf8(text), text},
        {"\xEF\xBB\xBF" + codepage::ToUtf8(text), text},
        {Hex("FF FE 08 67 49 51 20 00 40 D8 00 DC 20 00 78 00"), text},
        {Hex("FE FF 67 08 51 49 00 20 D8 40 DC 00 00 20 00 78"), text},
        {Hex("FF FE 00 00 08 67 00 00"), u"月"},
        {Hex("00 00 FE FF 00 00 67 08"), u"月"},
        {std::string("a\0b", 3), std::nullopt},
        {ReadBytes(lyrics / "gbk.lrc"), simplified},
        {ReadBytes(lyrics / "utf16le.lrc"), simplified},
        {ReadBytes(lyrics / "big5.lrc"), u"[ti:晴天]\n[ar:周杰倫]\n[00:01.00]故事的小黃花"},
        {ReadBytes(lyrics / "sjis.lrc"), u"[ti:さくら]\n[00:01.00]さくら さくら"},
        {ReadBytes(lyrics / "euckr.lrc"), u"[ti:아리랑]\n[00:01.00]아리랑 아리랑"},
        // UTF-8 all but a stray byte, or a last character cut: UTF-8 still, not Shift_JIS.
        {codepage::ToUtf8(simplified) + "\xFF\xFF\xFF", simplified + u"\uFFFD\uFFFD\uFFFD"},
        {codepage::ToUtf8(simplified).substr(0, codepage::ToUtf8(simplified).size() - 1),
         simplified.substr(0, simplified.size() - 1) + u"\uFFFD"},
        // Lines of GB18030 and of UTF-8: no few bytes UTF-8 does not fit.
        {codepage::Encode(u"你好世界\n", codepage::kGb18030).value() +
             codepage::ToUtf8(u"你好世界你好世界"),
         u"你好世界\n"},
        // UTF-16 without a mark: the zeros of its line ends tell its order.
        {Hex("08 67 49 51 0D 00 0A 00 00 4E 49 51"), u"月光\r\n一光"},
        {Hex("67 08 51 49 00 0D 00 0A 4E 00 51 49"), u"月光\r\n一光"},
        {Hex("08 67 09 00 49 51 0D 00 0A 00"), u"月\t光\r\n"},
        // Too short for the detector to tell: the program's code page, not Shift_JIS.
        {codepage::Encode(u"[ti:晴天]\n[00:01.00]好", codepage::kGb18030).value(),
         u"[ti:晴天]\n[00:01.00]好"},
    };

    for (const auto& [bytes, start] : table) {
        const auto read = DecodeTextFile(bytes);
        EXPECT_EQ(read ? std::optional(read->substr(0, start ? start->size() : 0)) : read, start)
            << bytes;
    }
    // A name in GB18030, from a Windows archive.
    EXPECT_EQ(DecodeFileName(codepage::Encode(u"08 朴树 - 平凡之路", codepage::kGb18030).value()),
              u"08 朴树 - 平凡之路");
}

// A file manager's order: numbers by value, digits, letters, then Chinese by pinyin (zh_CN).
TEST(LyricFiles, NamesInFileManagerOrder) {
    std::vector<std::u16string> names{u"传奇", u"b", u"10", u"02", u"阿", u"01", u"B2", u"八"};
    const NaturalOrder order("zh_CN");
    std::sort(names.begin(), names.end(), std::cref(order));
    EXPECT_EQ(names, (std::vector<std::u16string>{u"01", u"02", u"10", u"b", u"B2", u"阿", u"八",
                                                  u"传奇"}));
}

// Cancelled once it has been asked `calls` times.
class Progress : public ImportProgress {
public:
    explicit Progress(std::size_t calls = SIZE_MAX) : calls_(calls) {}
    bool Going(std::size_t, std::size_t) override { return calls_-- > 0; }
    std::size_t calls_;
};

class ImportTest : public RunTest {
protected:
    void SetUp() override { run.ReadyToMake(); }
    ImportReport ImportAll(const std::vector<fs::path>& given) {
        Progress progress;
        return Import(run, ImportFiles(given), progress);
    }
};

TEST_F(ImportTest, FilesThatCannotBeUsedAreSkippedAndTheRestComeIn) {
    const fs::path dir = app / "lyrics", bad = app / "bad",
                   books = fs::path(VELMORA_TEST_DATA) / "books";
    fs::create_directories(dir / "more");
    fs::create_directory(bad);
    WriteBytes(dir / "10.lrc", "[00:01.00]ten");
    WriteBytes(dir / "2.LRC", "[ar:二]\n[00:01.00]two");
    WriteBytes(dir / "more" / "1.txt", "一二三\xFF");               // in, with a character unread
    WriteBytes(dir / "more" / "10.lrc", "[ar:十]\n[00:01.00]ten");  // not 10.lrc: another artist
    WriteBytes(dir / "notes.doc", "skipped, not looked at");
    WriteBytes(dir / "largest.txt", std::string(kLargestLyricFile, 'a'));
#ifdef _WIN32  // a name is UTF-16 there, never in another encoding
    WriteBytes(dir / u8"朴树 - 平凡之路.txt", "x");
#else
    WriteBytes(dir / codepage::Encode(u"朴树 - 平凡之路.txt", codepage::kGb18030).value(), "x");
#endif
#ifndef _WIN32  // Windows has no devices to link to in a folder
    fs::create_symlink("/dev/zero", bad / "zero.lrc");
#endif
    // Each file, its bytes ("-" for one made above or from tests/data), why it is skipped.
    const std::tuple<fs::path, std::string, Problem, int> skipped[] = {
        {bad / "empty.txt", "", Problem::Empty, 0},
        {bad / "binary.txt", std::string("\0\x01", 2), Problem::NotText, 0},
        {bad / "big.txt", std::string(kLargestLyricFile + 1, 'a'), Problem::TooLarge, 0},
        {bad / "tags.lrc", "[ti:x]\n[ar:y]", Problem::NoLyric, 0},
        {bad / "song.wma", "ID3", Problem::NotImportable, 0},
        {bad / "locked.txt", "x", Problem::Unreadable, EACCES},
        {bad / "broken.epub", "PK not a zip", Problem::NotZip, 0},
#ifndef _WIN32
        {bad / "zero.lrc", "-", Problem::NotRegularFile, 0},
#endif
        {books / "foreign.epub", "-", Problem::ForeignBook, 0},
        {books / "foreign-source.epub", "-", Problem::ForeignBook, 0},
        {books / "foreign-contributor.epub", "-", Problem::ForeignBook, 0},
        {books / "bomb.epub", "-", Problem::UnpacksTooLarge, 0},
        {books / "liar.epub", "-", Problem::UnpacksTooLarge, 0},
        {books / "spine.epub", "-", Problem::TooManyPages, 0},
        {dir / "10.lrc", "-", Problem::AlreadyInList, 0},
    };
    std::vector<fs::path> given{dir};
    for (const auto& [file, bytes, problem, error] : skipped) {
        if (bytes != "-") {
            WriteBytes(file, bytes);
        }
        given.push_back(file);
    }
    const ImportReport report = [&] {
        InjectedFaults faults({{Call::Open, "locked.txt", EACCES}});
        return ImportAll(given);
    }();
    // Named directly and found in a folder named: once.
    EXPECT_EQ(list.rows,
              (std::vector<std::u16string>{u"2", u"10", u"largest", u"1", u"10", u"平凡之路"}));
    EXPECT_EQ(run.Songs().At(6).artist, u"朴树");
    EXPECT_EQ(report.songs, 6);
    EXPECT_FALSE(report.firstBook);  // lyric files name no book
    EXPECT_EQ(ReadBook(ReadBytes(books / "spine-full.epub")).songs.size(), std::size_t(kMaxSongs));
    EXPECT_EQ(report.misread, std::vector<fs::path>{dir / "more" / "1.txt"});
    ASSERT_EQ(report.skipped.size(), std::size(skipped) - 1);
    for (std::size_t i = 0; i + 1 < std::size(skipped); ++i) {
        const auto& [file, bytes, problem, error] = skipped[i];
        EXPECT_EQ(report.skipped[i].what(), Described(problem, file, error));
    }
}

// A folder below that cannot be read is named with its reason and passed over; the files
// beside it and after it come in. Through the seam, then for real: root reads every folder,
// so there the listing is made as nobody.
TEST_F(ImportTest, UnreadableFoldersArePassedOver) {
    const fs::path dir = app / "songs";
    for (const char* folder : {"a", "locked", "locked/inner", "z"}) {
        fs::create_directories(dir / folder);
    }
    WriteBytes(dir / "a" / "1.txt", "甲");
    WriteBytes(dir / "locked" / "inner" / "2.txt", "乙");
    WriteBytes(dir / "z" / "3.txt", "丙");
    const auto listed = [&](const ImportList& files) {
        std::vector<std::string> found;
        for (const ImportSource& source : files.files) {
            found.push_back(fs::relative(source.file, dir).generic_string());
        }
        for (const Failure& failure : files.skipped) {
            found.push_back(failure.what());
        }
        return found;
    };
    const std::vector<std::string> expected{"a/1.txt", "z/3.txt",
                                            Described(Problem::Unreadable, dir / "locked", EACCES)};
    {
        InjectedFaults faults({{Call::Open, "songs/locked", EACCES}});
        EXPECT_EQ(listed(ImportFiles({dir})), expected);
    }
#ifndef _WIN32  // a real refusal: POSIX rights, read as another user in a forked child
    ::chmod((dir / "locked").c_str(), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool nobody = ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 &&
                                                 ::setgid(65534) == 0 && ::setuid(65534) == 0);
        ::_exit(nobody && listed(ImportFiles({dir})) == expected ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0);
#endif
}

// A book brought in twice adds nothing the second time (a song of other credits, once more);
// its artists and credits come back; cancelled, the import stops before the next file, or
// within a book between pages.
TEST_F(ImportTest, BooksComeBackOnceAndCancelStops) {
    run.AddSongs(
        1, {{u"晴天", u"故事", u"周杰伦", u"词：方文山 & <x>\r\n曲：周杰伦"}, {u"夜曲", u"一群"}});
    PhaseRecorder shown;
    BookMaker maker(run, clock, shown);
    ASSERT_EQ(BuildToEnd(maker), "");
    ReadyRun other;
    Progress going;
    EXPECT_EQ(Import(other, ImportFiles({maker.BookPath()}), going).songs, 2);
    EXPECT_EQ(other.Songs().At(1), run.Songs().At(1));
    const ImportReport again = Import(other, ImportFiles({maker.BookPath()}), going);
    EXPECT_EQ(again.songs, 0);
    EXPECT_EQ(again.skipped.at(0).what(), Described(Problem::AlreadyInList, maker.BookPath()));
    other.EditLyric(2, {u"夜曲", u"一群", u"", u"词：方文山"});
    EXPECT_EQ(Import(other, ImportFiles({maker.BookPath()}), going).songs, 1);
    ReadyRun third;
    Progress withinTheBook(2);
    EXPECT_TRUE(Import(third, ImportFiles({maker.BookPath()}), withinTheBook).cancelled);
    EXPECT_EQ(third.Songs().SongCount(), 0);
    const fs::path book = maker.BookPath();
    BuildRequest named;
    named.book.title = u"第二本";
    ASSERT_EQ(BuildToEnd(maker, named), "");
    Progress beforeTheSecond(4);
    const ImportReport one = Import(third, ImportFiles({book, maker.BookPath()}), beforeTheSecond);
    EXPECT_TRUE(one.cancelled);
    EXPECT_EQ(one.songs, 2);
    // The boxes shown are the first book's.
    EXPECT_EQ(Import(other, ImportFiles({maker.BookPath(), book}), going).firstBook->title,
              u"第二本");
    // Each entry within the limit, all together over it.
    std::size_t unpacked = 0;
    for (const auto& [name, bytes] : ZipEntries(ReadBytes(book), kLargestBook)) {
        unpacked += bytes.size();
    }
    EXPECT_EQ(FailureOf([&] { ZipEntries(ReadBytes(book), unpacked - 1); }),
              Described(Problem::UnpacksTooLarge));
}

// A page of ours has one block of credits, whatever other blocks it holds; two are none of ours.
TEST(BookReader, ReadsTheOneBlockOfCredits) {
    const std::string book = ReadBytes(fs::path(VELMORA_TEST_DATA) / "books" / "credits.epub");
    EXPECT_EQ(FailureOf([&] { ReadBook(book); }),
              Described(Problem::NotSongPage, {}, 0, "text/b.html"));
}

#ifndef _WIN32  // the bound is a forked child's RLIMIT_AS
// No hostile file balloons the program: with its memory bound, it still stands.
TEST_F(ImportTest, HostileFilesStayWithinBoundedMemory) {
#if !defined(__SANITIZE_ADDRESS__)
    const fs::path bad = app / "bad";
    fs::create_directory(bad);
    std::string bomb;
    for (int i = 0; i < 100; ++i) {
        bomb += "[00:01]";
    }
    WriteBytes(bad / "hundred.lrc", bomb + std::string(1000000, 'x'));
    WriteBytes(bad / "marks.lrc", "[00:01]" + std::string(1000000, '<') + ">");
    fs::create_symlink("/dev/zero", bad / "zero.lrc");
    // Found in a folder, a link to a device is named, to be refused out loud.
    EXPECT_EQ(ImportFiles({bad}).files.size(), 3u);
    const pid_t child = ::fork();

    if (child == 0) {
        const rlimit memory{512 * 1024 * 1024, 512 * 1024 * 1024};
        ::setrlimit(RLIMIT_AS, &memory);
        const ImportReport report =
            ImportAll({bad / "hundred.lrc", bad / "zero.lrc", bad / "marks.lrc",
                       fs::path(VELMORA_TEST_DATA) / "books" / "spine.epub"});
        ::_exit(report.songs == 1 && report.skipped.size() == 3 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
#endif
}
#endif

// On a full disk the import stops at the first song it cannot write: what came in stays, and
// the files from that one on are named as not come in, by their own paths.
TEST_F(ImportTest, AFullDiskStopsTheImport) {
    const fs::path dir = app / "songs";
    fs::create_directory(dir);
    std::vector<fs::path> given;
    for (const char* name : {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"}) {
        WriteBytes(dir / name, name);
        given.push_back(dir / name);
    }
    const ImportReport report = [&] {
        InjectedFaults faults({{Call::Open, "part0003.html", ENOSPC}});
        return ImportAll(given);
    }();
    EXPECT_EQ(report.songs, 2);
    EXPECT_EQ(list.rows, (std::vector<std::u16string>{u"1", u"2"}));
    ASSERT_TRUE(report.unwritable);
    EXPECT_EQ(report.unwritable->number(), ENOSPC);
    EXPECT_EQ(report.unwritten, std::vector<fs::path>(given.begin() + 2, given.end()));
    EXPECT_TRUE(report.skipped.empty());
    EXPECT_EQ(ReplayJournal(ReadBytes(run.Layout().SongLog())).songs, SongsOf(run.Songs()));
}

// A book of ours (by what its package says) whose one song page is `page`, zipped by 7za.
fs::path BookOf(const fs::path& dir, const std::string& name, const std::string& page) {
    const fs::path tree = dir / (name + ".tree");
    fs::create_directories(tree / "text");
    WriteBytes(tree / "content.opf",
               "<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" "
               "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><metadata><dc:title>书</dc:title>"
               "<dc:source>Velmora</dc:source><dc:contributor>Velmora</dc:contributor></metadata>"
               "<manifest><item id=\"p\" href=\"text/p.html\"/></manifest>"
               "<spine><itemref idref=\"p\"/></spine></package>");
    WriteBytes(tree / "text" / "p.html",
               "<?xml version=\"1.0\"?><html><body>" + page + "</body></html>");
    const fs::path book = dir / (name + ".epub");
    RunCommand({"7za", "a", "-tzip", "-mx1", book.string(), (tree / "*").string()});
    return book;
}

std::string Repeated(const std::string& text, std::size_t times) {
    std::string repeated;
    repeated.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        repeated += text;
    }
    return repeated;
}

// A page is read a node at a time, never whole: a million paragraphs, elements nested past
// any page's depth or a stanza past a lyric's length refuse the book in a moment, within a
// few hundred MiB (an address space of 512 MiB).
TEST_F(ImportTest, BookBombsAreRefused) {
    const fs::path dir = app / "books";
    const std::pair<fs::path, std::string> refused[] = {
        {BookOf(dir, "paragraphs", "<h2>歌</h2>" + Repeated("<p></p>", 2'000'000)),
         Described(Problem::PageTooComplex, {}, 0, "text/p.html")},
        {BookOf(dir, "nested", "<h2>歌</h2>" + Repeated("<div>", 100) + Repeated("</div>", 100)),
         Described(Problem::PageTooComplex, {}, 0, "text/p.html")},
        {BookOf(dir, "stanza", "<h2>歌</h2><p>" + Repeated("词<br/>", 1'000'000) + "</p>"),
         Described(Problem::LyricTooLong)},
        {BookOf(dir, "name", "<h2>" + Repeated("名", 1'100'000) + "</h2><p>词</p>"),
         Described(Problem::LyricTooLong)},
    };
    std::vector<fs::path> books;
    for (const auto& [book, reason] : refused) {
        books.push_back(book);
    }
    const ImportReport report = ImportAll(books);
    ASSERT_EQ(report.skipped.size(), std::size(refused));
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        const Failure& skipped = report.skipped[i];
        EXPECT_EQ(skipped.path(), refused[i].first);
        EXPECT_EQ(Failure(skipped.problem(), {}, skipped.number(), skipped.detail()).what(),
                  refused[i].second);
    }
#if !defined(__SANITIZE_ADDRESS__) && !defined(_WIN32)  // RLIMIT_AS: POSIX only
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit memory{512 * 1024 * 1024, 512 * 1024 * 1024};
        ::setrlimit(RLIMIT_AS, &memory);
        ::_exit(ImportAll(books).skipped.size() == std::size(refused) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
#endif
}

}  // namespace
}  // namespace velmora
