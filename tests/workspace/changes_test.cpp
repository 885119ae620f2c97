// Edits, removals and moves: whatever their order, the run ends as if its final songs had
// been added in their final order (page names aside), and its log replays to those songs.

#include <gtest/gtest.h>

#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "support/bytes.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "support/folders.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "text/template_copy.h"
#include "text/xml_text.h"
#include "workspace/workspace.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;
using Songs = std::vector<std::pair<std::u16string, std::u16string>>;

struct Change {
    char kind;  // 'a'dd, 'e'dit, 'r'emove, 'm'ove
    int n = 0, to = 0;
    std::u16string name = u"", lyric = u"";
};

void Apply(Workspace& run, const Change& change) {
    switch (change.kind) {
        case 'a':
            return run.AddLyric(change.name, change.lyric);
        case 'e':
            run.EditLyric(change.n, change.name, change.lyric);
            return;
        case 'r':
            return run.RemoveLyric(change.n);
        default:
            return run.MoveLyric(change.n, change.to);
    }
}

// The songs the log's records give, one after the other (the record forms of the README).
Songs Replay(const std::string& log) {
    const std::u16string text = codepage::Decode(log, 0).value();
    const auto number = [&](std::size_t& at) {
        const std::size_t end = text.find_first_not_of(u"0123456789", at);
        const int n = std::stoi(codepage::ToUtf8(text.substr(at, end - at)));
        at = end + 1;
        return n;
    };
    Songs songs;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t kindEnd = text.find(u"no=", at);
        const std::u16string kind = text.substr(at + 1, kindEnd - at - 1);
        at = kindEnd + 3;
        const int n = number(at);
        const std::u16string end = u"</" + kind + u" no = " + Decimal(n) + u">\r\n";
        const std::size_t recordEnd = text.find(end, at);
        if (kind == u"song" || kind == u"edit") {
            const std::size_t split = text.find(u"><lyric=", at);
            std::pair<std::u16string, std::u16string> song{
                text.substr(at + 10, split - at - 10),
                text.substr(split + 8, recordEnd - split - 9)};
            kind == u"song" ? songs.push_back(song) : void(songs[n - 1] = song);
        } else if (kind == u"remove") {
            songs.erase(songs.begin() + n - 1);
        } else {
            at += 4;
            const auto song = songs[n - 1];
            songs.erase(songs.begin() + n - 1);
            songs.insert(songs.begin() + number(at) - 1, song);
        }
        at = recordEnd + end.size();
    }
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

class ChangesTest : public ::testing::Test {
protected:
    ProgramFolder app;
    FixedClock clock{kNewYear2024};
};

TEST_F(ChangesTest, EndAsIfTheFinalSongsWereAddedInOrder) {
    const Change a{'a', 0, 0, u"A", u"a"}, b{'a', 0, 0, u"B", u"b"}, c{'a', 0, 0, u"C", u"c"},
        d{'a', 0, 0, u"D", u"d"};
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
        {"RefusedEditChangesNothing", {a, {'e', 1, 0, u"", u"x"}}, {u"A"}},
        {"RemoveThenAdd", {a, b, c, {'r', 2}, d, d}, {u"A", u"C", u"D", u"D"}},
        {"EverythingTwice",
         {a,
          b,
          c,
          d,
          {'r', 2},
          {'m', 3, 2},
          {'e', 1, 0, u"A2 & <x>", u"新\r\n词"},
          {'m', 1, 3},
          {'e', 3, 0, u"A3", u"\u00A0"},
          {'r', 1},
          b},
         {u"C", u"A3", u"B"}},
    };
    const std::u16string opf = TemplateLine(app / "template" / "content.opf");
    const std::u16string ncx = TemplateLine(app / "template" / "toc.ncx");
    for (const auto& row : table) {
        FakeView view;
        Workspace run(app.path(), clock, view);
        run.ReadyToMake();
        for (const Change& change : row.changes) {
            Apply(run, change);
        }
        FakeView addedView;
        Workspace added(app.path(), clock, addedView);
        added.ReadyToMake();
        const Songs final = Replay(ReadBytes(run.WorkDir() / "lyric.txt"));
        for (const auto& [name, lyric] : final) {
            added.AddLyric(name, lyric);
        }
        const SongCollection& songs = run.Songs();
        const SongCollection& expected = added.Songs();
        std::vector<std::u16string> names{u""};
        names.insert(names.end(), row.names.begin(), row.names.end());
        names.emplace_back();
        ASSERT_EQ(songs.SongNames(), names) << row.name;
        ASSERT_EQ(songs.SongCount(), expected.SongCount()) << row.name;
        EXPECT_EQ(songs.SongNames(), expected.SongNames()) << row.name;
        EXPECT_EQ(songs.SongLyrics(), expected.SongLyrics()) << row.name;
        EXPECT_EQ(view.list, addedView.list) << row.name;
        for (int n = 1; n <= songs.SongCount(); ++n) {
            EXPECT_EQ(ReadBytes(run.Layout().Page(songs.PageFileName(n))),
                      ReadBytes(added.Layout().Page(expected.PageFileName(n))))
                << row.name << " page " << n;
        }
        EXPECT_EQ(Mapped(ComposePackageDocument(opf, songs, 0), songs),
                  Mapped(ComposePackageDocument(opf, expected, 0), expected))
            << row.name;
        EXPECT_EQ(Mapped(ComposeNavigationDocument(ncx, songs), songs),
                  Mapped(ComposeNavigationDocument(ncx, expected), expected))
            << row.name;
        // Nothing else in the pages' folder: no page let go of, none set aside.
        EXPECT_EQ(std::distance(fs::directory_iterator(run.Layout().Epub("text")), {}),
                  songs.SongCount())
            << row.name;
    }
}

// A change that fails leaves the log, the pages, the tables and the list as they were.
TEST_F(ChangesTest, FailedChangesLoseNothing) {
    FakeView view;
    Workspace run(app.path(), clock, view);
    run.ReadyToMake();
    for (const char16_t* name : {u"A", u"B", u"C"}) {
        run.AddLyric(name, u"x");
    }
    const auto state = [&] {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(run.WorkDir())) {
            files.push_back(entry.path().string() +
                            (entry.is_regular_file() ? ReadBytes(entry.path()) : ""));
        }
        std::sort(files.begin(), files.end());
        return std::tuple(run.Songs().SongNames(), run.Songs().SongPages(), view.list, files);
    };
    const std::u16string log = PathText(run.WorkDir() / "lyric.txt");
    const std::u16string page2 = PathText(run.Layout().Page(u"part0002.html"));
    const struct {
        Fault fault;
        Change change;
        std::u16string message;
    } table[] = {
        {{Call::Write, "part0004.html", ENOSPC}, {'e', 2, 0, u"B2", u"y"}, u""},
        {{Call::Rename, "part0002.html\n", EACCES}, {'e', 2, 0, u"B2", u"y"}, page2},
        {{Call::Write, "lyric.txt", ENOSPC, 5}, {'e', 2, 0, u"B2", u"y"}, log},
        {{Call::Rename, "part0002.html\n", EACCES}, {'r', 2}, page2},
        {{Call::Write, "lyric.txt", ENOSPC, 5}, {'r', 2}, log},
        {{Call::Open, "lyric.txt", EACCES}, {'m', 1, 3}, log},
        {Throws(Call::Open, "lyric.txt"), {'r', 1}, u""},
    };
    for (const auto& row : table) {
        const auto before = state();
        InjectedFaults faults({row.fault});
        try {
            Apply(run, row.change);
            ADD_FAILURE() << "no failure: " << row.change.kind;
        } catch (const Failure& failure) {
            EXPECT_NE(failure.message().find(row.message), std::u16string::npos)
                << codepage::ToUtf8(failure.message());
        } catch (const std::bad_alloc&) {
        }
        EXPECT_EQ(state(), before) << row.change.kind << " " << codepage::ToUtf8(row.message);
    }
}

}  // namespace
}  // namespace velmora
