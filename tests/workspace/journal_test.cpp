// The song log read back, whole or cut anywhere, and an ended run's unbuilt songs found.

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <csignal>
#include <functional>

#include "platform/file_system.h"
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
            MarkBuilt(earlier.Layout(), PrintOf(earlier.Songs()));
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
    run.AddSongs(run.Songs().SongCount() + 1, {{u"big", std::u16string(kLongestLyric, u'歌')}});
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
    // A record that could not be, or closed by another number, an end without its begin, a
    // group begun inside another: passed over and counted, the rest replayed. A group never
    // ended counts not at all.
    const std::tuple<std::string, std::size_t, std::size_t> bad[] = {
        {RemoveRecord(9), 4, 1},
        {MoveRecord(1, 5), 4, 1},
        {"<removeno=1></remove no = 2>\r\n", 4, 1},
        {BeginRecord(7) + RemoveRecord(1) + EndRecord(8), 4, 1},
        {BeginRecord(7) + BeginRecord(8) + RemoveRecord(1) + EndRecord(7), 3, 1},
        {EndRecord(1) + RemoveRecord(4), 3, 1},
    };
    for (const auto& [records, songs, unreadable] : bad) {
        const Replay replay = ReplayJournal(journal + records);
        EXPECT_EQ(std::tuple(replay.songs.size(), replay.unreadable), std::tuple(songs, unreadable))
            << records;
    }
    std::string full;  // one song more than a run may hold
    for (int n = 1; n <= kMaxSongs + 1; ++n) {
        full += AddRecord(n, {u"a", u"b"});
    }
    EXPECT_EQ(ReplayJournal(full).songs.size(), std::size_t(kMaxSongs));
}

// A record that cannot be read is passed over, and only it: garbage, a text past the longest
// or declaring more than a text can be, a song that could not have been typed. The log read a
// piece at a time, cut anywhere, gives what it gives whole.
TEST_F(JournalTest, PassesOverWhatCannotBeRead) {
    const std::string longest(kLongestLyric, 'x');
    const std::string journal =
        AddRecord(1, {u"A", u"a"}) + "garbage <songname=x>\r\n" + AddRecord(2, {u"B", u"b"}) +
        "<songno=3><songname=C><credits=" + longest + "x><lyric=c></song no = 3>\r\n" +
        "<songno=3><songname size=999999999>C</song no = 3>\r\n" + AddRecord(3, {u"", u"c"}) +
        AddRecord(3, {u"C", u""}) +
        AddRecord(3, {u"C", u"c", u"", std::u16string(longest.size(), u'x')}) +
        EditRecord(1, {u"D", std::u16string(kLongestLyric + 1, u'd')}) + MoveRecord(2, 1);
    const Replay whole = ReplayJournal(journal);
    const Songs expected{
        {u"B", u"b"}, {u"A", u"a"}, {u"C", u"c", u"", std::u16string(longest.size(), u'x')}};
    EXPECT_EQ(whole.songs, expected);
    EXPECT_EQ(whole.unreadable, 6u);
    EXPECT_EQ(whole.length, journal.size());
    for (const std::size_t cut : {std::size_t{1}, std::size_t{9}, std::size_t{40}, std::size_t{57},
                                  journal.size() / 2, journal.size() - 3}) {
        JournalReplay pieces;
        pieces.Feed(std::string_view(journal).substr(0, cut));
        pieces.Feed(std::string_view(journal).substr(cut));
        const Replay replay = pieces.Finish();
        EXPECT_EQ(std::tuple(replay.songs, replay.unreadable, replay.length),
                  std::tuple(whole.songs, whole.unreadable, whole.length))
            << cut;
    }
    // Moved back and forth: each move shifts places, not songs.
    std::string moves;
    for (int n = 1; n <= 4; ++n) {
        moves += AddRecord(n, {std::u16string(1, char16_t(u'0' + n)), u"x"});
    }
    for (int i = 0; i < 100001; ++i) {
        moves += MoveRecord(1, 4);
    }
    const Replay moved = ReplayJournal(moves);
    ASSERT_EQ(moved.songs.size(), 4u);
    EXPECT_EQ(moved.songs[0].name + moved.songs[1].name + moved.songs[2].name + moved.songs[3].name,
              u"2341");
}

// A change of many songs goes in a piece at a time; when a later piece cannot be written,
// the ones before it are taken back: the log and the songs are as they were.
TEST_F(JournalTest, ALargeChangeNotWrittenWholeIsTakenBack) {
    run.AddLyric(u"A", u"a");
    const std::string before = Journal();
    const Songs many(8, {u"长", std::u16string(200'000, u'歌')});  // over 3 MiB of records
    {
        InjectedFaults faults({{Call::Write, "lyric.txt", ENOSPC, 2 * 1024 * 1024}});
        EXPECT_EQ(FailureOf([&] { run.AddSongs(2, many); }),
                  Described(Problem::CannotWrite, run.Layout().SongLog(), ENOSPC));
    }
    EXPECT_TRUE(Journal() == before);
    EXPECT_EQ(run.Songs().SongCount(), 1);
    EXPECT_EQ(run.AddSongs(2, many), 8);
    EXPECT_EQ(ReplayJournal(Journal()).songs.size(), 9u);
}

// Two long songs, then the first edited back and forth until the log holds more than twice
// what they are: it is written anew from them, byte for byte the log of a run that added them.
class SettleTest : public JournalTest {
protected:
    static Song Long(char16_t mark) { return {u"长", std::u16string(400'000, mark)}; }
    // The songs now.
    Songs Edit(Workspace& on, int edits) {
        on.AddSongs(1, {Long(u'歌'), Long(u'词')});
        for (int i = 0; i < edits; ++i) {
            on.EditLyric(1, Long(i % 2 == 0 ? u'曲' : u'歌'));
        }
        return {Long(edits % 2 == 0 ? u'歌' : u'曲'), Long(u'词')};
    }
};

TEST_F(SettleTest, LogIsWrittenAnewWhenItHoldsTooMuch) {
    const Songs songs = Edit(run, 4);
    EXPECT_EQ(songs, SongsOf(run.Songs()));
    EXPECT_TRUE(Journal() == JournalOf(run.Songs()));
    EXPECT_GT(run.JournalLength(), Journal().size());  // the bytes given, not held
    for (const auto& entry : fs::directory_iterator(run.WorkDir())) {
        EXPECT_NE(entry.path().extension(), ".part");
    }
    run.AddLyric(u"后来", u"x");  // the new log goes on
    EXPECT_EQ(ReplayJournal(Journal()).songs, SongsOf(run.Songs()));
}

// A write of the new log that fails leaves the old one as it was, whole; a kill at any step of
// it (a real one, in a child) loses nothing.
TEST_F(SettleTest, WritingTheLogAnewLosesNothing) {
    for (const Call call : {Call::Open, Call::Write, Call::Fsync, Call::Rename}) {
        Workspace failing(app.path(), clock);
        failing.ReadyToMake();
        const Songs songs = [&] {
            InjectedFaults faults({{call, "lyric.txt.", ENOSPC}});
            return Edit(failing, 4);
        }();
        const std::string log = ReadBytes(failing.Layout().SongLog());
        EXPECT_GT(log.size(), JournalOf(failing.Songs()).size()) << int(call);
        EXPECT_EQ(ReplayJournal(log).songs, songs) << int(call);
#ifndef _WIN32  // a real kill mid-write, of a forked child
        const pid_t child = ::fork();
        if (child == 0) {
            Workspace killed(app.path(), clock);
            killed.ReadyToMake();
            InjectedFaults faults({}, [call](Call made, const std::string& path) {
                if (made == call && path.find("lyric.txt.") != std::string::npos) {
                    ::kill(::getpid(), SIGKILL);
                }
            });
            Edit(killed, 4);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status)) << int(call);
        const auto found = Offered();
        ASSERT_TRUE(found) << int(call);
        EXPECT_EQ(found->songs, songs) << int(call);
        MarkTaken(run.Layout().ForRun(found->folder));
#endif
    }
    // What the kills left half written goes at the next start.
    Workspace next(app.path(), clock);
    next.ReadyToMake();
    for (const auto& entry : fs::recursive_directory_iterator(app / "temp")) {
        EXPECT_NE(entry.path().extension(), ".part") << entry.path();
    }
}

// An ended run's unbuilt songs are offered: closed, or killed mid-change (out of memory).
// Not offered: a run whose last change was built, whose songs all went, or already taken.
TEST_F(JournalTest, TheNextStartFindsUnbuiltSongs) {
    const Songs typed{
        {u"x><lyric=y", u"z"}, {u"\u00A0", u"\u0007\r\n"}, {u"长", std::u16string(100000, u'歌')}};
    const RunBoxes boxes{u"/covers/a.png", u"~/book.epub", u"C:\\new & <金曲>", u"", u"", u"", u""};
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

// A song typed and not added is offered with its run: alone, or after a book that holds
// every song; the artist kept for the next song alone is not. Its texts come back whole.
TEST_F(JournalTest, ASongTypedAndNotAddedIsOffered) {
    RunBoxes typed{u"", u"", u"我的最爱", u"小林", u"月光", u"李白", u"床前\\n\r\n明月光\n"};
    const auto keep = [](const RunBoxes& boxes) {
        return [boxes](Workspace& earlier) { SaveRunBoxes(earlier.Layout(), boxes); };
    };
    const RunLayout alone = Ended(kNewYear2024, keep(typed));
    auto found = Offered();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->folder / "", alone.WorkDir());
    EXPECT_TRUE(found->typed && found->songs.empty());
    EXPECT_EQ(found->boxes, typed);
    MarkTaken(alone);
    Built(kNewYear2024, keep(typed));
    found = Offered();
    ASSERT_TRUE(found && found->typed);
    EXPECT_EQ(found->notInBook, 0u);
    EXPECT_EQ(found->songs, (Songs{{u"built", u"x"}}));
    for (const bool lyric : {false, true}) {
        RunBoxes left;
        (lyric ? left.lyric : left.artist) = u"李白";
        Built(kNewYear2024, keep(left));
        EXPECT_EQ(Offered().has_value(), left.HasTyped());
    }
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
    // However large: read a piece at a time (here, past what it held, nothing but zeros).
    fs::resize_file(newest, kLargestBook + 1);
    const auto large = Offered();
    ASSERT_TRUE(large);
    EXPECT_EQ(large->songs, (Songs{{u"crashed", u"x"}}));
    EXPECT_EQ(large->unreadable, 1u);
}

// A run marked by an earlier program, by its journal's length when the book was made.
TEST_F(JournalTest, OldMarksStillSayWhatWasBuilt) {
    const RunLayout old = Ended(kNewYear2024, [](Workspace& earlier) {
        earlier.AddSongs(1, {{u"A", u"a"}, {u"B", u"b"}});
        ASSERT_TRUE(ReplaceFile(earlier.Layout().Marks(),
                                "built " + std::to_string(earlier.JournalLength()) + "\r\n") == 0);
    });
    EXPECT_FALSE(Offered());
    (void)ReplaceFile(old.SongLog(), ReadBytes(old.SongLog()) + AddRecord(3, {u"C", u"c"}));
    const auto found = Offered();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->notInBook, 1u);
}

}  // namespace
}  // namespace velmora
