// Adding, editing, removing and moving songs: the pages byte for byte; in any order, the run
// ends as if its final songs had been added in their final order (page names aside), its log
// replays to them and the list the window keeps follows; a change that fails loses nothing.

#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "text/code_page.h"
#include "text/limits.h"
#include "text/template_copy.h"
#include "text/xml_text.h"
#include "workspace/journal.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;
using Songs = std::vector<Song>;

struct Change {
    char kind;  // 'a'dd, 'e'dit, 'r'emove, 'm'ove; 'w' wipes the work directory, or `name` in it
    int n = 0, to = 0;
    std::u16string name = u"", lyric = u"";
};

Refusal Apply(Workspace& run, const Change& change) {
    switch (change.kind) {
        case 'a':
            return run.AddLyric(change.name, change.lyric);
        case 'e':
            return run.EditLyric(change.n, {change.name, change.lyric});
        case 'r':
            return run.RemoveLyric(change.n);
        case 'm':
            return run.MoveLyric(change.n, change.to);
        default:
            fs::remove_all(run.WorkDir() / change.name);
            return Refusal::None;
    }
}

// A document with each song's page named by its place: "text/#n".
std::string Mapped(std::string document, const SongCollection& songs) {
    for (int n = 1; n <= songs.SongCount(); ++n) {
        const std::string href = "\"" + PageHref(songs, n) + "\"";
        document.replace(document.find(href), href.size(), "\"text/#" + std::to_string(n) + "\"");
    }
    return document;
}

// A run as its book holds it, page names aside.
auto Snapshot(const Workspace& run, const std::u16string& opf, const std::u16string& ncx) {
    const SongCollection& songs = run.Songs();
    Songs all;
    std::vector<std::string> pages;
    for (int n = 1; n <= songs.SongCount(); ++n) {
        all.push_back(songs.At(n));
        pages.push_back(ReadBytes(run.Layout().Page(songs.PageFileName(n))));
    }
    return std::tuple(all, pages, Mapped(ComposePackageDocument(opf, songs, {}), songs),
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
            files.push_back(entry.path().string() +
                            (entry.is_regular_file() ? ReadBytes(entry.path()) : ""));
        }
        std::sort(files.begin(), files.end());
        Songs songs;
        for (int n = 1; n <= run.Songs().SongCount(); ++n) {
            songs.push_back(run.Songs().At(n));
        }
        return std::tuple(songs, list.rows, files);
    }
};

TEST_F(SongsTest, LogRecordAndPageAreByteExact) {
    const struct {
        std::u16string name, lyric;
        std::string record;               // in the log, after "<songno=1><songname"
        std::string pageName, pageLyric;  // UTF-8, in the page
    } table[] = {
        {u"A", u"x", "=A><lyric=x>", "A", "x"},
        {u"A", u"a\r\nb", "=A><lyric=a\r\nb>", "A", "a<br/>\nb"},
        {u" ", u"x\u00A0y", "= ><lyric=x\x81\x30\x84\x32y>", " ", "x\xC2\xA0y"},
        {u"月亮", u"&<>", " size=4>\xD4\xC2\xC1\xC1<lyric size=3>&<>", "\xE6\x9C\x88\xE4\xBA\xAE",
         "&amp;&lt;&gt;"},
        {u"Tom & Jerry", u"<br/>", " size=11>Tom & Jerry<lyric size=5><br/>", "Tom &amp; Jerry",
         "&lt;br/&gt;"},
        // What XML cannot hold becomes U+FFFD in the page; the log keeps what it can.
        {u"a\U0001D11Eb", u"x\xD800y\x01z\xFFFEw",
         "=a\x94\x32\xBE\x34"
         "b><lyric=x\x84\x31\xA4\x37y\x01z\x84\x31\xA4\x38w>",
         "a\xF0\x9D\x84\x9E"
         "b",
         "x\xEF\xBF\xBDy\xEF\xBF\xBDz\xEF\xBF\xBDw"},

    };
    const std::string head = ReadBytes(app / "template" / "text" / "part0000.html") + "\r\n";
    for (const auto& row : table) {
        Workspace fresh(app.path(), clock);
        fresh.ReadyToMake();
        EXPECT_EQ(fresh.AddLyric(row.name, row.lyric), Refusal::None);
        EXPECT_EQ(ReadBytes(fresh.WorkDir() / "lyric.txt"),
                  "<songno=1><songname" + row.record + "</song no = 1>\r\n");
        EXPECT_EQ(ReadBytes(fresh.WorkDir() / "epub" / "text" / "part0001.html"),
                  "\xEF\xBB\xBF" + head + "\t<body class=\"\">\r\n\t\t<h2 class=\"\">" +
                      row.pageName + "</h2>\r\n\t\t<p class=\"\">" + row.pageLyric +
                      "</p>\r\n\t</body> \r\n</html> \r\n");
    }
}

// Empty input is refused, numbers go on; the book is full at song 9999.
TEST_F(SongsTest, RefusedChangesChangeNothing) {
    const struct {
        Change change;
        Refusal refusal;
    } table[] = {
        {{'a', 0, 0, u"", u"x"}, Refusal::EmptyInput},
        {{'a', 0, 0, u"A", u"a\r\nb"}, Refusal::None},
        {{'a', 0, 0, u"A", u""}, Refusal::EmptyInput},
        {{'a', 0, 0, u"\r\n", u" "}, Refusal::None},
        {{'e', 1, 0, u"", u"x"}, Refusal::EmptyInput},
        {{'e', 3, 0, u"X", u"x"}, Refusal::NoSuchSong},
        {{'e', 0, 0, u"X", u"x"}, Refusal::NoSuchSong},
        {{'r', 3}, Refusal::NoSuchSong},
        {{'m', 1, 3}, Refusal::NoSuchSong},
        {{'m', 2, 2}, Refusal::NoSuchSong},
    };
    for (const auto& row : table) {
        const auto before = State();
        EXPECT_EQ(Apply(run, row.change), row.refusal);
        EXPECT_EQ(State() == before, row.refusal != Refusal::None) << row.change.kind;
    }
    EXPECT_EQ(list.rows, (std::vector<std::u16string>{u"A", u"\r\n"}));
    for (int i = 3; i <= kMaxSongs; ++i) {
        run.AddLyric(u"S", u"x");
    }
    EXPECT_TRUE(fs::exists(run.Layout().Page("part9999.html")));
    const auto before = State();
    EXPECT_EQ(run.AddLyric(u"Overflow", u"x"), Refusal::BookFull);
    EXPECT_EQ(State(), before);
}

TEST_F(SongsTest, ChangesEndAsIfTheFinalSongsWereAddedInOrder) {
    const Change a{'a', 0, 0, u"A", u"a"}, b{'a', 0, 0, u"B", u"b"}, c{'a', 0, 0, u"C", u"c"},
        d{'a', 0, 0, u"D", u"d"}, wipe{'w'}, edit{'e', 1, 0, u"A2 & <x>", u"新\r\n词"};
    const Change log{'w', 0, 0, u"lyric.txt"}, pages{'w', 0, 0, u"epub/text"};

    const Change a3{'e', 3, 0, u"A3", u"\u00A0"}, r1{'r', 1}, r2{'r', 2};
    const std::vector<Change> everything{a, b, c, d, r2, {'m', 3, 2}, edit, {'m', 1, 3}, a3, r1, b};
    const struct {
        const char* name;
        std::vector<Change> changes;
        std::vector<std::u16string> names;  // the final songs', in order
    } table[] = {
        {"RemoveFirst", {a, b, c, {'r', 1}}, {u"B", u"C"}},
        {"RemoveLast", {a, b, c, {'r', 3}}, {u"A", u"B"}},
        {"RemoveOnly", {a, {'r', 1}}, {}},
        {"MovesPastTheEnds", {a, b, c, {'m', 1, 0}, {'m', 3, 4}, {'m', 3, 1}}, {u"C", u"A", u"B"}},
        {"MoveDown", {a, b, c, {'m', 1, 3}, {'m', 1, 2}}, {u"C", u"B", u"A"}},
        {"EditToTheSameText", {a, {'e', 1, 0, u"A", u"a"}}, {u"A"}},
        {"RemoveThenAdd", {a, b, c, {'r', 2}, d, d}, {u"A", u"C", u"D", u"D"}},
        // A cleaner took the work directory: each change puts it back from the songs.
        {"AfterTheRunWasWiped",
         {a, b, wipe, c, wipe, {'e', 1, 0, u"A2", u"a"}, wipe, {'m', 1, 3}, wipe, {'r', 1}},
         {u"C", u"A2"}},
        {"AfterTheLogOrThePagesWent",
         {a,
          b,
          log,
          c,
          pages,
          d,
          log,
          edit,
          pages,
          {'e', 2, 0, u"B2", u"b"},
          log,
          {'r', 1},
          log,
          d},
         {u"B2", u"C", u"D", u"D"}},

        {"EverythingTwice", everything, {u"C", u"A3", u"B"}},
    };
    const std::u16string opf = TemplateLine(app / "template" / "content.opf");
    const std::u16string ncx = TemplateLine(app / "template" / "toc.ncx");
    for (const auto& row : table) {
        Workspace changed(app.path(), clock), added(app.path(), clock);
        MirrorList shown(changed.Songs());
        changed.SetObserver(&shown);
        changed.ReadyToMake();
        added.ReadyToMake();
        for (const Change& change : row.changes) {
            Apply(changed, change);
        }
        for (const Song& song : ReplayJournal(ReadBytes(changed.Layout().SongLog())).songs) {
            added.AddLyric(song.name, song.lyric);
        }
        ASSERT_EQ(shown.rows, row.names) << row.name;
        EXPECT_EQ(Snapshot(changed, opf, ncx), Snapshot(added, opf, ncx)) << row.name;
        // Nothing else among the pages: none let go of, none set aside.
        EXPECT_EQ(std::distance(fs::directory_iterator(changed.Layout().Epub("text")), {}),
                  changed.Songs().SongCount())
            << row.name;
    }
}

// Each fault stops the change with a Failure naming the file; nothing of it stays.
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
    for (const char16_t* name : {u"A", u"B", u"C"}) {
        run.AddLyric(name, u"x");
    }
    const fs::path log = run.Layout().SongLog();
    const auto page = [&](std::string_view name) { return run.Layout().Page(name); };
    const Change add{'a', 0, 0, u"D", u"歌词"}, edit{'e', 2, 0, u"B2", u"y"}, remove{'r', 2};
    const struct {
        Fault fault;
        Change change;
        std::string failure;
    } table[] = {
        {{Call::Open, "part0004.html", EACCES},

         add,
         Described(Problem::CannotWrite, page("part0004.html"), EACCES)},
        {{Call::Write, "part0004.html", ENOSPC, 100},
         add,
         Described(Problem::CannotWrite, page("part0004.html"), ENOSPC)},
        {{Call::Write, "part0004.html", ENOSPC, 100},
         edit,
         Described(Problem::CannotWrite, page("part0004.html"), ENOSPC)},
        {{Call::Write, "lyric.txt", ENOSPC, 10}, add, Described(Problem::CannotWrite, log, ENOSPC)},
        // One byte of the record got in: it is taken back too.
        {{Call::Write, "lyric.txt", ENOSPC, 1}, add, Described(Problem::CannotWrite, log, ENOSPC)},
        {{Call::Rename, "part0002.html\n", EACCES},
         edit,
         Described(Problem::CannotRemove, page("part0002.html"), EACCES)},
        {{Call::Write, "lyric.txt", ENOSPC, 5}, edit, Described(Problem::CannotWrite, log, ENOSPC)},
        {{Call::Rename, "part0002.html\n", EACCES},
         remove,
         Described(Problem::CannotRemove, page("part0002.html"), EACCES)},
        {{Call::Write, "lyric.txt", ENOSPC, 5},
         remove,
         Described(Problem::CannotWrite, log, ENOSPC)},
        {{Call::Write, "lyric.txt", EIO}, {'m', 1, 3}, Described(Problem::CannotWrite, log, EIO)},
    };
    for (const auto& row : table) {
        const auto before = State();
        InjectedFaults faults({row.fault});
        EXPECT_EQ(FailureOf([&] { Apply(run, row.change); }), row.failure);
        EXPECT_EQ(State(), before) << row.failure;
    }
    // Short of memory halfway; a real full disk (the file-size limit): the same.
    const auto before = State();
    {
        InjectedFaults faults({Throws(Call::Write, "lyric.txt")});
        EXPECT_THROW(Apply(run, remove), std::bad_alloc);
    }
    FileSizeLimit limit(4096);
    EXPECT_EQ(FailureOf([&] { run.AddLyric(u"D", std::u16string(3000, u'歌')); }),
              Described(Problem::CannotWrite, page("part0004.html"), EFBIG));
    EXPECT_EQ(State(), before);
}

}  // namespace
}  // namespace velmora
