// The song log read back, whole or cut anywhere, and an ended run's unbuilt songs found.

#include <functional>

#include "support/fakes.h"
#include "support/faults.h"
#include "text/limits.h"
#include "workspace/earlier_runs.h"
#include "workspace/journal.h"

namespace velmora {
namespace {

using namespace testing;
using Songs = std::vector<Song>;

class JournalTest : public RunTest {
protected:
    void SetUp() override { run.ReadyToMake(); }
    std::string Journal() const { return ReadBytes(run.Layout().SongLog()); }
    using Work = std::function<void(Workspace&)>;
    // A run before this one, stamped `local`, worked on and ended.
    RunLayout Ended(std::int64_t local, const Work& work) {
        const FixedClock at(local);
        Workspace earlier(app.path(), at);
        earlier.ReadyToMake();
        work(earlier);
        return earlier.Layout();
    }
    // One of a song built into a book, then `after` done to it.
    RunLayout Built(
        std::int64_t local, const Work& after = [](Workspace&) {}) {
        return Ended(local, [&](Workspace& earlier) {
            earlier.AddLyric(u"built", u"x");
            MarkBuilt(earlier.Layout(), earlier.JournalLength());
            after(earlier);
        });
    }
    std::optional<UnbuiltRun> Offered() const { return FindUnbuiltRun(run.Layout()); }
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
        {u"晴天", u"故事", u"周杰伦", u"词：方文山\r\n曲：周杰伦"},
        {u"a", u"b", u"", u"<credits=c>"},
        {u"a", u"b", u"c", u"d>"},
    };
    run.AddSongs(1, table);
    run.EditLyric(2, {u"<edit>", u"</edit no = 2>"});
    run.MoveLyric(1, 3);
    run.RemoveLyric(4);
    run.AddSongs(2, {{u"<batch>", u"a"}, {u"b", u"<b>"}});
    run.RemoveSongs(1, 2);
    run.AddSongs(run.Songs().SongCount() + 1, {{u"big", std::u16string(5'000'000, u'歌')}});
    const Replay replay = ReplayJournal(Journal());
    EXPECT_EQ(replay.songs, SongsOf(run.Songs()));
    EXPECT_EQ(replay.length, Journal().size());
}

// Texts without markers are written as they always were; the others state their sizes.
TEST_F(JournalTest, RecordFormsAreByteExact) {
    const std::pair<std::string, std::string> table[] = {
        {AddRecord(1, {u"A", u"a\r\nb"}), "<songno=1><songname=A><lyric=a\r\nb></song no = 1>\r\n"},
        {EditRecord(2, {u"月", u"x"}), "<editno=2><songname=\xD4\xC2><lyric=x></edit no = 2>\r\n"},
        {AddRecord(3, {u"x><lyric=y", u"z"}),
         "<songno=3><songname size=10>x><lyric=y<lyric size=1>z</song no = 3>\r\n"},
        {AddRecord(1, {u"月<", u""}),
         "<songno=1><songname size=3>\xD4\xC2<<lyric size=0></song no = 1>\r\n"},
        {AddRecord(1, {u"a", u">"}),
         "<songno=1><songname size=1>a<lyric size=1>></song no = 1>\r\n"},
        {AddRecord(2, {u"A", u"x", u"B"}),
         "<songno=2><songname=A><artist=B><lyric=x></song no = 2>\r\n"},
        {EditRecord(2, {u"A", u"x", u"<B>"}),
         "<editno=2><songname size=1>A<artist size=3><B><lyric size=1>x</edit no = 2>\r\n"},
        {AddRecord(2, {u"A", u"x", u"B", u"w: C\r\nm: D"}),
         "<songno=2><songname=A><artist=B><credits=w: C\r\nm: D><lyric=x></song no = 2>\r\n"},
        {EditRecord(1, {u"A", u"x", u"", u"<c>"}),
         "<editno=1><songname size=1>A<credits size=3><c><lyric size=1>x</edit no = 1>\r\n"},
        {RemoveRecord(4), "<removeno=4></remove no = 4>\r\n"},
        {MoveRecord(5, 1), "<moveno=5><to=1></move no = 5>\r\n"},
        {BeginRecord(2) + EndRecord(2), "<beginno=2></begin no = 2>\r\n<endno=2></end no = 2>\r\n"},
    };
    for (const auto& [record, expected] : table) {
        EXPECT_EQ(record, expected);
    }
}

// A journal cut at any byte replays to its whole records' songs; a group cut counts not at all.
TEST_F(JournalTest, CutOffAnywhereGivesTheSongsBefore) {
    run.AddLyric(u"A", u"a");
    const std::size_t first = Journal().size();
    run.AddLyric(u"<B>", u"b");
    const std::size_t second = Journal().size();
    run.AddSongs(3, {{u"C", u"c"}, {u"D", u"d"}});
    const std::string journal = Journal();
    // Where each whole record or group ends, and the songs by then.
    const std::pair<std::size_t, std::size_t> ends[] = {
        {first, 1}, {second, 2}, {journal.size(), 4}};
    for (std::size_t cut = 0; cut <= journal.size(); ++cut) {
        const Replay replay = ReplayJournal(std::string_view(journal).substr(0, cut));
        std::pair<std::size_t, std::size_t> whole{0, 0};
        for (const auto& end : ends) {
            whole = cut >= end.first ? end : whole;
        }
        EXPECT_EQ(std::pair(replay.length, replay.songs.size()), whole) << cut;
    }
    // A record that could not be, or closed by another number, a group closed by another's
    // number or begun inside another: replay stops before it.
    for (const std::string& bad :
         {RemoveRecord(9), MoveRecord(1, 5), std::string("<removeno=1></remove no = 2>\r\n"),
          BeginRecord(7) + RemoveRecord(1) + EndRecord(8),
          BeginRecord(7) + BeginRecord(8) + EndRecord(8) + EndRecord(7)}) {
        EXPECT_EQ(ReplayJournal(journal + bad).length, journal.size()) << bad;
    }
    EXPECT_EQ(ReplayJournal(EndRecord(1) + journal).songs.size(), 0u);
    std::string full;  // one song more than a run may hold
    for (int n = 1; n <= kMaxSongs + 1; ++n) {
        full += AddRecord(n, {u"a", u"b"});
    }
    EXPECT_EQ(ReplayJournal(full).songs.size(), std::size_t(kMaxSongs));
}

// An ended run's unbuilt songs are offered: closed, or killed mid-change (out of memory).
// Not offered: a run whose last change was built, whose songs all went, or already taken.
TEST_F(JournalTest, TheNextStartFindsUnbuiltSongs) {
    const Songs typed{
        {u"x><lyric=y", u"z"}, {u"\u00A0", u"\u0007\r\n"}, {u"长", std::u16string(100000, u'歌')}};
    const RunBoxes boxes{u"/covers/a.png", u"~/book.epub", u"C:\\new & <金曲>", u""};
    const RunLayout killed = Ended(kNewYear2024, [&](Workspace& earlier) {
        earlier.AddSongs(1, typed);
        SaveRunBoxes(earlier.Layout(), boxes);
        InjectedFaults faults({Throws(Call::Open, "part0004.html")});
        EXPECT_THROW(earlier.AddLyric(u"lost", u"in flight"), std::bad_alloc);
    });
    const auto found = Offered();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->folder / "", killed.WorkDir());
    EXPECT_EQ(found->songs, typed);
    EXPECT_EQ(found->boxes, boxes);
    EXPECT_EQ(found->notInBook, std::nullopt);
    // A run that started and did nothing is passed over; one taken is not offered again.
    Ended(kNewYear2024, [](Workspace&) {});
    EXPECT_TRUE(Offered());
    MarkTaken(killed);
    EXPECT_FALSE(Offered());
    Built(kNewYear2024);
    EXPECT_FALSE(Offered());
    Built(kNewYear2024, [](Workspace& earlier) {
        earlier.MoveLyric(1, 1);  // refused: nothing changes
        earlier.AddSongs(1, {{u"built", u"x"}, {u"built", u"b"}});
        earlier.RemoveLyric(3);
    });
    EXPECT_EQ(Offered()->songs, (Songs{{u"built", u"x"}, {u"built", u"b"}}));
    EXPECT_EQ(Offered()->notInBook, 1u);
    Ended(kNewYear2024, [](Workspace& earlier) {
        earlier.AddLyric(u"A", u"a");
        earlier.RemoveLyric(1);
    });
    EXPECT_FALSE(Offered());
}

// Stamps are local time and go back with the zone: the run changed last is found whatever its
// stamp. A newer run that cannot be read is said, not passed over; one too large, once.
TEST_F(JournalTest, TheRunChangedLastIsFoundWhateverItsStamp) {
    const auto crashed = [](Workspace& earlier) { earlier.AddLyric(u"crashed", u"x"); };
    const auto ago = [](int m) {
        return fs::file_time_type::clock::now() - std::chrono::minutes(m);
    };
    fs::last_write_time(Built(kNewYear2024 + 3600).SongLog(), ago(60));
    fs::last_write_time(Ended(kNewYear2024 - 60, crashed).SongLog(), ago(30));
    EXPECT_EQ(Offered()->songs, (Songs{{u"crashed", u"x"}}));
    const fs::path newest = Ended(kNewYear2024 - 120, crashed).SongLog();
    {
        InjectedFaults faults({{Call::Open, newest.string(), EACCES}});
        EXPECT_EQ(FailureOf([&] { Offered(); }),
                  Described(Problem::EarlierRunUnreadable, newest, EACCES));
    }
    fs::resize_file(newest, kLargestBook + 1);
    EXPECT_EQ(FailureOf([&] { Offered(); }), Described(Problem::EarlierRunTooLarge, newest, 0));
    EXPECT_FALSE(Offered());
}

}  // namespace
}  // namespace velmora
