// The song log read back: whatever the names and lyrics hold, every journal replays to the
// songs of the run that wrote it; one cut off anywhere gives the songs before the record it
// cut; and the start after a run that ended with unbuilt songs finds them.

#include <functional>

#include "support/fakes.h"
#include "support/faults.h"
#include "text/code_page.h"
#include "text/limits.h"
#include "workspace/earlier_runs.h"
#include "workspace/journal.h"

namespace velmora {

void PrintTo(const Song& song, std::ostream* out) {
    *out << codepage::ToUtf8(song.name + u" | " + song.lyric);
}

namespace {

namespace fs = std::filesystem;
using namespace testing;
using Songs = std::vector<Song>;

Songs SongsOf(const Workspace& run) {
    Songs songs;
    for (int n = 1; n <= run.Songs().SongCount(); ++n) {
        songs.push_back(run.Songs().At(n));
    }
    return songs;
}

std::string Journal(const Workspace& run) {
    return ReadBytes(run.Layout().SongLog());
}

class JournalTest : public RunTest {
protected:
    void SetUp() override { run.ReadyToMake(); }
};

// Names and lyrics that look like records, markers, line ends: each is read back as it was.
TEST_F(JournalTest, ReadsBackExactlyOneState) {
    const Songs table = {
        {u"x><lyric=y", u"z"},
        {u"x", u"y><lyric=z"},
        {u"a", u"a></song no = 1>\r\n<songno=2><songname=fake><lyric=f></song no = 2>"},
        {u"<songname size=3>", u"<lyric size=1>\r\n\r\n"},
        {u"月亮 <", u"床前\u00A0明月光\r\n疑是地上霜 >"},
        {u"\u0001\u001F", u"\U0001F600"},
        {u"Tom & Jerry", u"plain\r\nlines"},
        {u"晴天", u"故事", u"周杰伦"},
        {u"a", u"b", u"<artist=c>"},
    };
    for (const Song& song : table) {
        run.AddLyric(song.name, song.lyric);
    }
    run.EditLyric(2, {u"<edit>", u"</edit no = 2>"});
    run.MoveLyric(1, 3);
    run.RemoveLyric(4);
    run.AddSongs(2, {{u"<batch>", u"a"}, {u"b", u"<b>"}});
    run.RemoveSongs(1, 2);
    run.AddSongs(run.Songs().SongCount() + 1, {{u"big", std::u16string(5'000'000, u'歌')}});
    const Replay replay = ReplayJournal(Journal(run));
    EXPECT_EQ(replay.songs, SongsOf(run));
    EXPECT_EQ(replay.length, Journal(run).size());
}

// Texts without markers are written as they always were; the others state their sizes.
TEST_F(JournalTest, RecordFormsAreByteExact) {
    const struct {
        std::string record, expected;
    } table[] = {
        {AddRecord(1, {u"A", u"a\r\nb"}), "<songno=1><songname=A><lyric=a\r\nb></song no = 1>\r\n"},
        {EditRecord(2, {u"月", u"x"}), "<editno=2><songname=\xD4\xC2><lyric=x></edit no = 2>\r\n"},
        {AddRecord(3, {u"x><lyric=y", u"z"}),
         "<songno=3><songname size=10>x><lyric=y<lyric size=1>z</song no = 3>\r\n"},
        {AddRecord(1, {u"月<", u""}),
         "<songno=1><songname size=3>\xD4\xC2<<lyric size=0></song no = 1>\r\n"},
        {AddRecord(2, {u"A", u"x", u"B"}),
         "<songno=2><songname=A><artist=B><lyric=x></song no = 2>\r\n"},
        {EditRecord(2, {u"A", u"x", u"<B>"}),
         "<editno=2><songname size=1>A<artist size=3><B><lyric size=1>x</edit no = 2>\r\n"},
        {RemoveRecord(4), "<removeno=4></remove no = 4>\r\n"},
        {MoveRecord(5, 1), "<moveno=5><to=1></move no = 5>\r\n"},
        {BeginRecord(2) + EndRecord(2), "<beginno=2></begin no = 2>\r\n<endno=2></end no = 2>\r\n"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(row.record, row.expected);
    }
}

// A journal cut at any byte replays to the songs of its whole records; a group cut off
// counts not at all.
TEST_F(JournalTest, CutOffAnywhereGivesTheSongsBefore) {
    run.AddLyric(u"A", u"a");
    const std::size_t first = Journal(run).size();
    run.AddLyric(u"<B>", u"b");
    const std::size_t second = Journal(run).size();
    run.AddSongs(3, {{u"C", u"c"}, {u"D", u"d"}});
    const std::string journal = Journal(run);
    for (std::size_t cut = 0; cut <= journal.size(); ++cut) {
        const Replay replay = ReplayJournal(std::string_view(journal).substr(0, cut));
        const std::size_t whole = cut == journal.size() ? cut
                                  : cut >= second       ? second
                                  : cut >= first        ? first
                                                        : 0;
        EXPECT_EQ(replay.length, whole) << cut;
        EXPECT_EQ(replay.songs.size(), whole == journal.size() ? 4u
                                       : whole == second       ? 2u
                                       : whole == first        ? 1u
                                                               : 0u)
            << cut;
    }
    // A record that could not be: replay stops before it.
    EXPECT_EQ(ReplayJournal(journal + RemoveRecord(9)).length, journal.size());
    EXPECT_EQ(ReplayJournal(EndRecord(1) + journal).songs.size(), 0u);
    EXPECT_EQ(ReplayJournal(journal + BeginRecord(7) + BeginRecord(8) + EndRecord(8) + EndRecord(7))
                  .length,
              journal.size());
}

// The start after a run that ended with songs no book holds offers them: closed, or killed
// halfway through a change (here, out of memory on the page of a fourth song). Not offered:
// a run whose last change went into a book, whose songs were all removed, or that was taken.
TEST_F(JournalTest, TheNextStartFindsUnbuiltSongs) {
    const auto ended = [&](const std::function<void(Workspace&)>& work) {
        Workspace earlier(app.path(), clock);
        earlier.ReadyToMake();
        work(earlier);
        return earlier.Layout();
    };
    const auto offered = [&] { return FindUnbuiltRun(run.Layout()); };
    const Songs typed{
        {u"x><lyric=y", u"z"}, {u"\u00A0", u"\u0007\r\n"}, {u"长", std::u16string(100000, u'歌')}};
    const RunLayout killed = ended([&](Workspace& earlier) {
        for (const Song& song : typed) {
            earlier.AddLyric(song.name, song.lyric);
        }
        SaveRunBoxes(earlier.Layout(), {u"/covers/a.png", u"~/book.epub", u"流行 & <金曲>", u""});
        InjectedFaults faults({Throws(Call::Open, "part0004.html")});
        EXPECT_THROW(earlier.AddLyric(u"lost", u"in flight"), std::bad_alloc);
    });
    const auto found = offered();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->folder / "", killed.WorkDir());
    EXPECT_EQ(found->songs, typed);
    EXPECT_EQ(found->boxes, (RunBoxes{u"/covers/a.png", u"~/book.epub", u"流行 & <金曲>", u""}));
    // A run that started and did nothing is passed over; one taken is not offered again.
    ended([](Workspace&) {});
    EXPECT_TRUE(offered());
    MarkTaken(killed);
    EXPECT_FALSE(offered());
    const auto built = [&](bool changedAfter) {
        return ended([&](Workspace& earlier) {
            earlier.AddLyric(u"A", u"a");
            MarkBuilt(earlier.Layout(), earlier.JournalLength());
            if (changedAfter) {
                earlier.MoveLyric(1, 1);  // refused: nothing changes
                earlier.EditLyric(1, {u"A", u"b"});
            }
        });
    };
    built(false);
    EXPECT_FALSE(offered());
    built(true);
    EXPECT_EQ(offered()->songs, (Songs{{u"A", u"b"}}));
    ended([](Workspace& earlier) {
        earlier.AddLyric(u"A", u"a");
        earlier.RemoveLyric(1);
    });
    EXPECT_FALSE(offered());
}

// Stamps are local time: with the clock's zone moved back between a built run and a crashed
// one, the crashed run has the older stamp, and is found all the same, as the one whose
// songs changed last. A newer run that cannot be read is said, never passed over for it;
// one too large is said once.
TEST_F(JournalTest, TheRunChangedLastIsFoundWhateverItsStamp) {
    const auto ended = [&](std::int64_t local, bool built) {
        const FixedClock at(local);
        Workspace earlier(app.path(), at);
        earlier.ReadyToMake();
        earlier.AddLyric(built ? u"built" : u"crashed", u"x");
        if (built) {
            MarkBuilt(earlier.Layout(), earlier.JournalLength());
        }
        return earlier.Layout();
    };
    const auto offered = [&] { return FindUnbuiltRun(run.Layout()); };
    const auto ago = [](int minutes) {
        return fs::file_time_type::clock::now() - std::chrono::minutes(minutes);
    };
    const RunLayout built = ended(kNewYear2024 + 3600, true);
    fs::last_write_time(built.SongLog(), ago(60));
    fs::last_write_time(ended(kNewYear2024 - 60, false).SongLog(), ago(30));
    EXPECT_EQ(offered()->songs, (Songs{{u"crashed", u"x"}}));

    const RunLayout newest = ended(kNewYear2024 - 120, false);
    {
        InjectedFaults faults({{Call::Open, newest.SongLog().string(), EACCES}});
        EXPECT_EQ(FailureOf(offered),
                  Described(Problem::EarlierRunUnreadable, newest.SongLog(), EACCES));
    }
    fs::resize_file(newest.SongLog(), kLargestBook + 1);
    EXPECT_EQ(FailureOf(offered), Described(Problem::EarlierRunTooLarge, newest.SongLog(), 0));
    EXPECT_FALSE(offered());
}

}  // namespace
}  // namespace velmora
