// Adding, editing, removing and moving songs: the log and the pages byte for byte; in any
// order, the run ends as if its final songs had been added in their final order (page names
// aside) and its log replays to them; a change that fails loses nothing.

// GCC 12 finds "maybe uninitialized" state in its own <regex> when sanitizers are on: a
// false positive in the library, not in this code.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop

#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "text/code_page.h"
#include "text/template_copy.h"
#include "text/xml_text.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;
using Songs = std::vector<std::pair<std::u16string, std::u16string>>;

struct Change {
    char kind;  // 'a'dd, 'e'dit, 'r'emove, 'm'ove; 'w' wipes the work directory
    int n = 0, to = 0;
    std::u16string name = u"", lyric = u"";
};

void Apply(Workspace& run, const Change& change) {
    switch (change.kind) {
        case 'a':
            return run.AddLyric(change.name, change.lyric);
        case 'e':
            return void(run.EditLyric(change.n, change.name, change.lyric));
        case 'r':
            return run.RemoveLyric(change.n);
        case 'm':
            return run.MoveLyric(change.n, change.to);
        default:
            fs::remove_all(run.WorkDir());
    }
}

// The songs the log's records give, one after the other (the record forms of the README).
Songs Replay(const std::string& log) {
    const std::string text = codepage::ToUtf8(codepage::Decode(log, 0).value());
    const std::regex record(
        "<(song|edit)no=(\\d+)><songname=([^]*?)><lyric=([^]*?)></\\1 no = \\2>\r\n|"
        "<removeno=(\\d+)></remove no = \\5>\r\n|<moveno=(\\d+)><to=(\\d+)></move no = \\6>\r\n");
    Songs songs;
    std::size_t end = 0;
    for (std::sregex_iterator it(text.begin(), text.end(), record), last; it != last; ++it) {
        const std::smatch& m = *it;
        EXPECT_EQ(static_cast<std::size_t>(m.position()), end) << "not a record";
        end = static_cast<std::size_t>(m.position() + m.length());
        const auto at = [&](int group) { return songs.begin() + std::stoi(m[group]) - 1; };
        const Songs::value_type song{codepage::FromUtf8(m[3].str()),
                                     codepage::FromUtf8(m[4].str())};
        if (m[1] == "song") {
            songs.push_back(song);
        } else if (m[1] == "edit") {
            *at(2) = song;
        } else if (m[5].matched) {
            songs.erase(at(5));
        } else {
            const auto moved = *at(6);
            songs.erase(at(6));
            songs.insert(at(7), moved);
        }
    }
    EXPECT_EQ(end, text.size());
    return songs;
}

// A document with each song's page named by its place: "text/#n".
std::string Mapped(std::u16string document, const SongCollection& songs) {
    for (int n = 1; n <= songs.SongCount(); ++n) {
        const std::u16string href = u"\"text/" + songs.PageFileName(n) + u"\"";
        document.replace(document.find(href), href.size(), u"\"text/#" + Decimal(n) + u"\"");
    }
    return codepage::ToUtf8(document);
}

// A run as the user sees it and as its book holds it, page names aside.
auto Snapshot(const Workspace& run, const FakeView& view, const std::u16string& opf,
              const std::u16string& ncx) {
    const SongCollection& songs = run.Songs();
    std::vector<std::string> pages;
    for (int n = 1; n <= songs.SongCount(); ++n) {
        pages.push_back(ReadBytes(run.Layout().Page(songs.PageFileName(n))));
    }
    return std::tuple(songs.SongNames(), songs.SongLyrics(), view.list, pages,
                      Mapped(ComposePackageDocument(opf, songs, 0), songs),
                      Mapped(ComposeNavigationDocument(ncx, songs), songs));
}

class SongsTest : public RunTest {
protected:
    void SetUp() override { run.ReadyToMake(); }

    std::string Log() const { return ReadBytes(run.WorkDir() / "lyric.txt"); }
    // Everything a failed change must leave as it was: tables, list, boxes, and every file
    // of the run with its bytes.
    auto State() const {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(run.WorkDir())) {
            files.push_back(entry.path().string() +
                            (entry.is_regular_file() ? ReadBytes(entry.path()) : ""));
        }
        std::sort(files.begin(), files.end());
        const SongCollection& songs = run.Songs();
        return std::tuple(songs.SongNames(), songs.SongLyrics(), songs.SongPages(), view.list,
                          view.emptied, files);
    }
};

TEST_F(SongsTest, LogRecordAndPageAreByteExact) {
    const struct {
        std::u16string name, lyric;
        std::string record;               // in the log, after "<songno=1><songname="
        std::string pageName, pageLyric;  // UTF-8, in the page
    } table[] = {
        {u"A", u"x", "A><lyric=x", "A", "x"},
        {u"A", u"a\r\nb", "A><lyric=a\r\nb", "A", "a<br/>\nb"},
        {u" ", u"x\u00A0y", " ><lyric=x\x81\x30\x84\x32y", " ", "x\xC2\xA0y"},
        {u"月亮", u"&<>", "\xD4\xC2\xC1\xC1><lyric=&<>", "\xE6\x9C\x88\xE4\xBA\xAE",
         "&amp;&lt;&gt;"},
        {u"Tom & Jerry", u"<br/>", "Tom & Jerry><lyric=<br/>", "Tom &amp; Jerry", "&lt;br/&gt;"},
    };
    const std::string head = ReadBytes(app / "template" / "text" / "part0000.html") + "\r\n";
    for (const auto& row : table) {
        Workspace fresh(app.path(), clock, view);
        fresh.ReadyToMake();
        fresh.AddLyric(row.name, row.lyric);
        EXPECT_EQ(ReadBytes(fresh.WorkDir() / "lyric.txt"),
                  "<songno=1><songname=" + row.record + "></song no = 1>\r\n");
        EXPECT_EQ(ReadBytes(fresh.WorkDir() / "epub" / "text" / "part0001.html"),
                  "\xEF\xBB\xBF" + head + "\t<body class=\"\">\r\n\t\t<h2 class=\"\">" +
                      row.pageName + "</h2>\r\n\t\t<p class=\"\">" + row.pageLyric +
                      "</p>\r\n\t</body> \r\n</html> \r\n");
    }
}

// Empty input is refused, numbers go on; the book is full at song 9999.
TEST_F(SongsTest, RefusedAddsChangeNothing) {
    for (const auto& [name, lyric] :
         {Songs::value_type{u"", u"x"}, {u"A", u"a\r\nb"}, {u"A", u""}, {u"\r\n", u" "}}) {
        run.AddLyric(name, lyric);
    }
    EXPECT_EQ(view.messages, std::vector<Message>(2, {u"歌词和歌名不能为空。", u"提示"}));
    EXPECT_EQ(view.list, (std::vector<std::u16string>{u"1:A", u"2:\r\n"}));
    EXPECT_EQ(view.emptied, 2);
    EXPECT_EQ(run.Songs().SongLyrics(),
              (std::vector<std::u16string>{u"", u"a<br/>\nb", u" ", u""}));
    for (int i = 3; i <= Workspace::kMaxSongs; ++i) {
        run.AddLyric(u"S", u"x");
    }
    EXPECT_EQ(view.list[9], u"10:S");
    EXPECT_TRUE(fs::exists(run.Layout().Page(u"part9999.html")));
    const auto before = State();
    run.AddLyric(u"Overflow", u"x");
    EXPECT_EQ(State(), before);
    EXPECT_EQ(view.messages.back(), Message(u"歌词本已满：最多只能收录 9999 首歌。", u"提示"));
}

TEST_F(SongsTest, ChangesEndAsIfTheFinalSongsWereAddedInOrder) {
    const Change a{'a', 0, 0, u"A", u"a"}, b{'a', 0, 0, u"B", u"b"}, c{'a', 0, 0, u"C", u"c"},
        d{'a', 0, 0, u"D", u"d"}, wipe{'w'}, edit{'e', 1, 0, u"A2 & <x>", u"新\r\n词"};
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
        {"RefusedEdit", {a, {'e', 1, 0, u"", u"x"}}, {u"A"}},
        {"NoSuchSong",
         {a, {'e', 2, 0, u"X", u"x"}, {'e', 0, 0, u"X", u"x"}, {'r', 0}, {'r', 2}},
         {u"A"}},
        {"RemoveThenAdd", {a, b, c, {'r', 2}, d, d}, {u"A", u"C", u"D", u"D"}},
        // A cleaner took the work directory: each change puts it back from the tables.
        {"AfterTheRunWasWiped",
         {a, b, wipe, c, wipe, {'e', 1, 0, u"A2", u"a"}, wipe, {'m', 1, 3}, wipe, {'r', 1}},
         {u"C", u"A2"}},
        {"EverythingTwice", everything, {u"C", u"A3", u"B"}},
    };
    const std::u16string opf = TemplateLine(app / "template" / "content.opf");
    const std::u16string ncx = TemplateLine(app / "template" / "toc.ncx");
    for (const auto& row : table) {
        FakeView changedView, addedView;
        Workspace changed(app.path(), clock, changedView), added(app.path(), clock, addedView);
        changed.ReadyToMake();
        added.ReadyToMake();
        for (const Change& change : row.changes) {
            Apply(changed, change);
        }
        for (const auto& [name, lyric] : Replay(ReadBytes(changed.WorkDir() / "lyric.txt"))) {
            added.AddLyric(name, lyric);
        }
        std::vector<std::u16string> names{u""};
        names.insert(names.end(), row.names.begin(), row.names.end());
        names.emplace_back();
        ASSERT_EQ(changed.Songs().SongNames(), names) << row.name;
        EXPECT_EQ(Snapshot(changed, changedView, opf, ncx), Snapshot(added, addedView, opf, ncx))
            << row.name;
        // Nothing else among the pages: none let go of, none set aside.
        EXPECT_EQ(std::distance(fs::directory_iterator(changed.Layout().Epub("text")), {}),
                  changed.Songs().SongCount())
            << row.name;
    }
}

// Each fault stops the change with a message naming the file; nothing of it stays.
TEST_F(SongsTest, FailedChangesLoseNothing) {
    for (const char16_t* name : {u"A", u"B", u"C"}) {
        run.AddLyric(name, u"x");
    }
    // "无法写入文件" (or "无法删除文件" for `removing`) with the file and the reason.
    const auto failed = [&](const char* file, const char16_t* reason, bool removing = false) {
        const fs::path path = std::string(file) == "lyric.txt"
                                  ? run.WorkDir() / file
                                  : run.Layout().Page(codepage::FromUtf8(file));
        return (removing ? u"无法删除文件：" : u"无法写入文件：") + PathText(path) + u"（" +
               reason + u"）";
    };
    const char16_t* full = u"No space left on device";
    const Change add{'a', 0, 0, u"D", u"歌词"}, edit{'e', 2, 0, u"B2", u"y"}, remove{'r', 2};
    const struct {
        Fault fault;
        Change change;
        std::u16string message;
    } table[] = {
        {{Call::Open, "part0000.html", EACCES},
         add,
         u"文件无法读入！\n" + PathText(app / "template/text/part0000.html")},
        {{Call::Open, "part0004.html", EACCES}, add, failed("part0004.html", u"Permission denied")},
        {{Call::Write, "part0004.html", ENOSPC, 100}, add, failed("part0004.html", full)},
        {{Call::Rename, "part0004.html", EIO},
         edit,
         failed("part0004.html", u"Input/output error")},
        {{Call::Write, "lyric.txt", ENOSPC, 10}, add, failed("lyric.txt", full)},
        {{Call::Close, "lyric.txt", EIO}, add, failed("lyric.txt", u"Input/output error")},
        {{Call::Rename, "part0002.html\n", EACCES},
         edit,
         failed("part0002.html", u"Permission denied", true)},
        {{Call::Write, "lyric.txt", ENOSPC, 5}, edit, failed("lyric.txt", full)},
        {{Call::Rename, "part0002.html\n", EACCES},
         remove,
         failed("part0002.html", u"Permission denied", true)},
        {{Call::Write, "lyric.txt", ENOSPC, 5}, remove, failed("lyric.txt", full)},
        {{Call::Open, "lyric.txt", EACCES}, {'m', 1, 3}, failed("lyric.txt", u"Permission denied")},
    };
    for (const auto& row : table) {
        const auto before = State();
        InjectedFaults faults({row.fault});
        EXPECT_EQ(FailureOf([&] { Apply(run, row.change); }), row.message);
        EXPECT_EQ(State(), before) << codepage::ToUtf8(row.message);
    }
    // Short of memory halfway; a real full disk (the file-size limit): the same.
    const auto before = State();
    {
        InjectedFaults faults({Throws(Call::Open, "lyric.txt")});
        EXPECT_THROW(Apply(run, remove), std::bad_alloc);
    }
    FileSizeLimit limit(4096);
    EXPECT_NE(
        FailureOf([&] { run.AddLyric(u"D", std::u16string(3000, u'歌')); }).find(u"File too large"),
        std::u16string::npos);
    EXPECT_EQ(State(), before);
}

}  // namespace
}  // namespace velmora
