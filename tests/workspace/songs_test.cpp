// Songs added, edited, removed and moved: pages byte for byte; in any order, the run ends as if
// its final songs were added in order; a change refused or failed changes nothing.

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>

#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "text/limits.h"
#include "text/template_copy.h"
#include "workspace/journal.h"
#include "workspace/song_page.h"

namespace velmora {
namespace {

using namespace testing;

struct Change {
    // 'a'dd, 'e'dit, 'E'dit song 1 and song n at once, 'r'emove, 'm'ove; 'w' wipes the work
    // directory, or `name` in it
    char kind;
    int n = 0, to = 0;
    std::u16string name = u"", lyric = u"";
};

Refusal Apply(Workspace& run, const Change& c) {
    std::vector<std::pair<int, Song>> both{{1, {c.name, c.lyric}}, {c.n, {c.name, c.lyric}}};
    if (c.kind == 'w') {
        TakeAway(run.WorkDir() / c.name);
        return Refusal::None;
    }
    return c.kind == 'a'   ? run.AddLyric(c.name, c.lyric)
           : c.kind == 'e' ? run.EditLyric(c.n, {c.name, c.lyric})
           : c.kind == 'E' ? run.EditSongs(both)
           : c.kind == 'r' ? run.RemoveLyric(c.n)
                           : run.MoveLyric(c.n, c.to);
}

// A document with each song's page named by its place: "text/#n".
std::string Mapped(std::string document, const SongCollection& songs) {
    for (int n = 1; n <= songs.SongCount(); ++n) {
        std::string href = "\"";  // appended to: GCC 12 takes "\"" + ... for overlapping copies
        href.append(PageHref(songs, n)).append("\"");
        document.replace(document.find(href), href.size(), "\"text/#" + std::to_string(n) + "\"");
    }
    return document;
}

// A run as its book holds it, page names aside.
auto Snapshot(const Workspace& run, const std::u16string& opf, const std::u16string& ncx) {
    const SongCollection& songs = run.Songs();
    std::vector<std::string> pages;
    for (int n = 1; n <= songs.SongCount(); ++n) {
        pages.push_back(ReadBytes(run.Layout().Page(songs.PageFileName(n))));
    }
    return std::tuple(SongsOf(songs), pages, Mapped(ComposePackageDocument(opf, songs, {}), songs),
                      Mapped(ComposeNavigationDocument(ncx, songs), songs));
}

class SongsTest : public RunTest {
protected:
    void SetUp() override { run.ReadyToMake(); }

    // Everything a failed change must leave as it was: the songs, the list, and every file
    // of the run with its bytes.
    auto State() const {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(run.WorkDir())) {
            // The lock holds no bytes, and Windows lets no one read it while it is held.
            const bool read = entry.is_regular_file() && entry.path().filename() != ".lock";
            files.push_back(entry.path().string() + (read ? ReadBytes(entry.path()) : ""));
        }
        std::sort(files.begin(), files.end());
        return std::tuple(SongsOf(run.Songs()), list.rows, files);
    }
};

// A song's record in the log (its forms: JournalTest), and its page byte for byte.
TEST_F(SongsTest, LogRecordAndPageAreByteExact) {
    const std::tuple<std::u16string, std::u16string, std::string, std::string> table[] = {
        {u"A", u"a\r\nb", "A", "a<br/>\nb"},
        {u" ", u"x\u00A0y", " ", "x\xC2\xA0y"},
        {u"月亮", u"&<>", "\xE6\x9C\x88\xE4\xBA\xAE", "&amp;&lt;&gt;"},
        {u"Tom & Jerry", u"<br/>", "Tom &amp; Jerry", "&lt;br/&gt;"},
    };
    const std::string head = ReadBytes(app / "template" / "text" / "part0000.html") + "\r\n";
    for (const auto& [name, lyric, pageName, pageLyric] : table) {
        ReadyRun fresh;
        EXPECT_EQ(fresh.AddLyric(name, lyric), Refusal::None);
        EXPECT_EQ(ReadBytes(fresh.WorkDir() / "lyric.txt"), AddRecord(1, {name, lyric}));
        EXPECT_EQ(ReadBytes(fresh.WorkDir() / "epub" / "text" / "part0001.html"),
                  "\xEF\xBB\xBF" + head + "\t<body class=\"\">\r\n\t\t<h2 class=\"\">" + pageName +
                      "</h2>\r\n\t\t<p class=\"\">" + pageLyric +
                      "</p>\r\n\t</body> \r\n</html> \r\n");
    }
}

// Credits go small under the artist, or the name when there is none; without them, the page
// is as above.
TEST(SongPage, CreditsGoSmallUnderTheArtist) {
    const std::string credits =
        "\t\t<div class=\"credits\" style=\"text-align: center; "
        "font-size: small;\">词：甲 &amp; 乙<br/>曲：丙</div>\r\n";
    const std::string artist =
        "\t\t<h3 class=\"artist\" style=\"text-align: center; "
        "font-weight: normal;\">歌手</h3>\r\n";
    for (const auto& [singer, between] : {std::pair{u"歌手", artist + credits}, {u"", credits}}) {
        EXPECT_EQ(ComposeSongPage("H", {u"名", u"词", singer, u"词：甲 & 乙\r\n曲：丙"}),
                  "H\t<body class=\"\">\r\n\t\t<h2 class=\"\">名</h2>\r\n" + between +
                      "\t\t<p class=\"\">词</p>\r\n\t</body> \r\n</html> \r\n");
    }
}

// Empty input is refused, numbers go on; the book is full at song 9999.
TEST_F(SongsTest, RefusedChangesChangeNothing) {
    const std::pair<Change, Refusal> table[] = {
        {{'a', 0, 0, u"", u"x"}, Refusal::EmptyInput},
        {{'a', 0, 0, u"A", u"a\r\nb"}, Refusal::None},
        {{'a', 0, 0, u"A", u""}, Refusal::EmptyInput},
        {{'a', 0, 0, u"\r\n", u" "}, Refusal::None},
        {{'e', 1, 0, u"", u"x"}, Refusal::EmptyInput},
        {{'e', 1, 0, u"X", u""}, Refusal::EmptyInput},
        {{'e', 3, 0, u"X", u"x"}, Refusal::NoSuchSong},
        {{'e', 0, 0, u"X", u"x"}, Refusal::NoSuchSong},
        {{'r', 3}, Refusal::NoSuchSong},
        {{'m', 1, 3}, Refusal::NoSuchSong},
        {{'m', 2, 2}, Refusal::NoSuchSong},
        {{'E', 3, 0, u"X", u"x"}, Refusal::NoSuchSong},
        {{'E', 2, 0, u"X", u""}, Refusal::EmptyInput},
    };
    for (const auto& [change, refusal] : table) {
        const auto before = State();
        EXPECT_EQ(Apply(run, change), refusal);
        EXPECT_EQ(State() == before, refusal != Refusal::None) << change.kind << change.n;
    }
    run.AddSongs(3, std::vector<Song>(kMaxSongs - 2, {u"S", u"x"}));
    const auto before = State();
    EXPECT_EQ(run.AddLyric(u"Overflow", u"x"), Refusal::BookFull);
    EXPECT_EQ(State(), before);
}

TEST_F(SongsTest, ChangesEndAsIfTheFinalSongsWereAddedInOrder) {
    const Change a{'a', 0, 0, u"A", u"a"}, b{'a', 0, 0, u"B", u"b"}, c{'a', 0, 0, u"C", u"c"},
        d{'a', 0, 0, u"D", u"d"}, wipe{'w'}, edit{'e', 1, 0, u"A2 & <x>", u"新\r\n词"};
    const Change log{'w', 0, 0, u"lyric.txt"}, pages{'w', 0, 0, u"epub/text"},
        page1{'w', 0, 0, u"epub/text/part0001.html"}, page2{'w', 0, 0, u"epub/text/part0002.html"};
    const Change a2{'e', 1, 0, u"A2", u"a"}, a3{'e', 3, 0, u"A3", u"\u00A0"},
        b2{'e', 2, 0, u"B2", u"b"}, r1{'r', 1}, r2{'r', 2}, m13{'m', 1, 3};
    const std::vector<Change> everything{a, b, c, d, r2, {'m', 3, 2}, edit, m13, a3, r1, b};
    // Changes, and the final songs' names in order.
    const std::tuple<const char*, std::vector<Change>, std::vector<std::u16string>> table[] = {
        {"RemoveFirst", {a, b, c, r1}, {u"B", u"C"}},
        {"RemoveLast", {a, b, c, {'r', 3}}, {u"A", u"B"}},
        {"RemoveOnly", {a, r1}, {}},
        {"MovesPastTheEnds", {a, b, c, {'m', 1, 0}, {'m', 3, 4}, {'m', 3, 1}}, {u"C", u"A", u"B"}},
        {"MoveDown", {a, b, c, m13, {'m', 1, 2}}, {u"C", u"B", u"A"}},
        {"EditToTheSameText", {a, {'e', 1, 0, u"A", u"a"}}, {u"A"}},
        {"EditTwoAtOnce", {a, b, c, {'E', 3, 0, u"X", u"x"}, b2}, {u"X", u"B2", u"X"}},
        {"RemoveThenAdd", {a, b, c, r2, d, d}, {u"A", u"C", u"D", u"D"}},
        // A cleaner took the work directory: each change puts it back from the songs.
        {"AfterTheRunWasWiped", {a, b, wipe, c, wipe, a2, wipe, m13, wipe, r1}, {u"C", u"A2"}},
        {"AfterTheLogOrThePagesWent",
         {a, b, log, c, pages, d, log, edit, pages, b2, log, r1, log, d},
         {u"B2", u"C", u"D", u"D"}},
        {"AfterOnePageWent", {a, b, c, page2, r2, page1, a2}, {u"A2", u"C"}},
        {"EverythingTwice", everything, {u"C", u"A3", u"B"}},
    };
    const std::u16string opf = TemplateLine(app / "template" / "content.opf"),
                         ncx = TemplateLine(app / "template" / "toc.ncx");
    for (const auto& [name, changes, names] : table) {
        SCOPED_TRACE(name);
        ReadyRun changed, added;
        MirrorList shown(changed.Songs());
        changed.SetObserver(&shown);
        for (const Change& change : changes) {
            Apply(changed, change);
        }
        for (const Song& song : ReplayJournal(ReadBytes(changed.Layout().SongLog())).songs) {
            added.AddLyric(song.name, song.lyric);
        }
        ASSERT_EQ(shown.rows, names);
        EXPECT_EQ(Snapshot(changed, opf, ncx), Snapshot(added, opf, ncx));
        // Nothing else among the pages: none let go of, none set aside.
        EXPECT_EQ(std::distance(fs::directory_iterator(changed.Layout().Epub("text")), {}),
                  changed.Songs().SongCount());
    }
}

TEST_F(SongsTest, FailedChangesLoseNothing) {
    // The page frame is read at the run's first song.
    {
        InjectedFaults faults({{Call::Open, "part0000.html", EACCES}});
        EXPECT_EQ(
            FailureOf([&] { run.AddLyric(u"A", u"x"); }),
            Described(Problem::CannotReadTemplate, app / "template/text/part0000.html", EACCES));
        EXPECT_EQ(run.Songs().SongCount(), 0);
        EXPECT_EQ(ReadBytes(run.Layout().SongLog()), "");
    }
    run.AddSongs(1, {{u"A", u"x"}, {u"B", u"x"}, {u"C", u"x"}});
    const Change add{'a', 0, 0, u"D", u"歌词"}, edit{'e', 2, 0, u"B2", u"y"}, remove{'r', 2},
        both{'E', 3, 0, u"X", u"x"};
    const std::string log = "lyric.txt", page2 = "epub/text/part0002.html",
                      page3 = "epub/text/part0003.html", page4 = "epub/text/part0004.html",
                      page5 = "epub/text/part0005.html";
    // The Failure names the file (in the run) with the fault's error: a page it cannot set
    // aside it cannot remove, any other file it cannot write.
    const std::tuple<Fault, Change, std::string> table[] = {
        {{Call::Open, "part0004.html", EACCES}, add, page4},
        {{Call::Write, "part0004.html", ENOSPC, 100}, add, page4},
        {{Call::Write, "part0004.html", ENOSPC, 100}, edit, page4},
        {{Call::Write, "lyric.txt", ENOSPC, 10}, add, log},
        // One byte of the record got in: it is taken back too.
        {{Call::Write, "lyric.txt", ENOSPC, 1}, add, log},
        {{Call::Rename, "part0002.html\n", EACCES}, edit, page2},
        {{Call::Write, "lyric.txt", ENOSPC, 5}, edit, log},
        {{Call::Rename, "part0002.html\n", EACCES}, remove, page2},
        {{Call::Write, "lyric.txt", ENOSPC, 5}, remove, log},
        {{Call::Write, "lyric.txt", EIO}, {'m', 1, 3}, log},
        // Both at once or neither: the second page unwritten, the second old one kept.
        {{Call::Write, "part0005.html", ENOSPC, 100}, both, page5},
        {{Call::Rename, "part0003.html\n", EACCES}, both, page3},
        {{Call::Write, "lyric.txt", ENOSPC, 5}, both, log},
        {Throws(Call::Write, "lyric.txt"), remove, ""},  // out of memory halfway
    };
    for (const auto& [fault, change, file] : table) {
        const auto before = State();
        InjectedFaults faults({fault});
        const Problem problem =
            fault.call == Call::Rename ? Problem::CannotRemove : Problem::CannotWrite;
        EXPECT_EQ(FailureOf([&] { Apply(run, change); }),
                  fault.throws ? "std::bad_alloc"
                               : Described(problem, run.WorkDir() / file, fault.error));
        EXPECT_EQ(State(), before) << file;
    }
#ifndef _WIN32  // RLIMIT_FSIZE: POSIX only
    // A real full disk: no file grows past 4 KiB, a write past it fails with EFBIG (no signal).
    const auto before = State();
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const rlimit full{4096, old.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &full);
    EXPECT_EQ(FailureOf([&] { run.AddLyric(u"D", std::u16string(3000, u'歌')); }),
              Described(Problem::CannotWrite, run.WorkDir() / page4, EFBIG));
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(State(), before);
#endif
}

}  // namespace
}  // namespace velmora
