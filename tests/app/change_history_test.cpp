#include <QSignalSpy>
#include <QtTest>

#include "app/change_history.h"
#include "app/conversion.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "workspace/journal.h"

using namespace velmora::testing;
using velmora::Refusal;

// Changes, undo and redo on a real run: the stack moves only with a change that was made,
// and the journal always replays to the songs the run holds.
class ChangeHistoryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ReadyRun> run;
    std::unique_ptr<ChangeHistory> history;

    QStringList names() const {
        QStringList shown;
        for (int n = 1; n <= run->Songs().SongCount(); ++n) {
            shown << QString::fromStdU16String(run->Songs().At(n).name);
        }
        QStringList journaled;
        const auto replayed =
            velmora::ReplayJournal(ReadBytes(run->Layout().WorkDir() / "lyric.txt"));
        for (const auto& song : replayed.songs) {
            journaled << QString::fromStdU16String(song.name);
        }
        return shown == journaled ? shown : QStringList{"journal differs"} + journaled;
    }

private slots:
    void init() {
        history.reset();  // the previous test's history goes before its run
        run = std::make_unique<ReadyRun>();
        history = std::make_unique<ChangeHistory>(*run);
    }

    void undoesAndRedoesEachKindOfChange() {
        QSignalSpy changed(history.get(), &ChangeHistory::changed);
        for (const char16_t* name : {u"A", u"B", u"C"}) {
            QVERIFY(history->Add({name, u"x"}).Made());
        }
        run->AddSongs(4, {{u"1", u"x"}, {u"2", u"x"}});
        history->Record(4);
        history->Record(6);  // nothing came in: no change
        QCOMPARE(changed.size(), 4);
        QVERIFY(history->Move(1, 3).Made());
        QVERIFY(history->Edit(2, {u"C2", u"y"}).Made());
        QVERIFY(history->Remove(4).Made());
        QCOMPARE(names(), (QStringList{"B", "C2", "A", "2"}));
        const QStringList back[] = {{"B", "C2", "A", "1", "2"},
                                    {"B", "C", "A", "1", "2"},
                                    {"A", "B", "C", "1", "2"},
                                    {"A", "B", "C"},
                                    {"A", "B"}};
        for (const QStringList& expected : back) {
            QVERIFY(history->Undo().Made());
            QCOMPARE(names(), expected);
        }
        QVERIFY(history->Redo().Made());
        QVERIFY(history->Redo().Made());
        QCOMPARE(names(), (QStringList{"A", "B", "C", "1", "2"}));
        QVERIFY(history->Add({u"D", u"x"}).Made());  // the redo that was left goes
        QCOMPARE(history->Redo().refusal, Refusal::NoSuchSong);
    }

    // Refused or failed, a change is said once and moves neither the run nor the stack.
    void refusedAndFailedChangesMoveNothing() {
        QSignalSpy notMade(history.get(), &ChangeHistory::notMade);
        QCOMPARE(history->Add({u"", u"x"}).refusal, Refusal::EmptyInput);
        QVERIFY(history->Add({u"A", u"x"}).Made());
        for (const ChangeOutcome& nothing :
             {history->Edit(2, {u"B", u"y"}),
              history->EditAll({{1, {u"B", u"y"}}, {2, {u"C", u"y"}}}, "x"), history->Remove(0),
              history->Move(1, 1), history->Move(1, 2)}) {
            QCOMPARE(nothing.refusal, Refusal::NoSuchSong);
        }
        QCOMPARE(notMade.size(), 1);  // only the empty input is said
        {
            InjectedFaults faults({Throws(Call::Write, "lyric.txt")});
            const ChangeOutcome failed = history->Add({u"B", u"x"});
            QVERIFY(failed.error && !failed.error->failure);
            QVERIFY(history->Undo().error);
        }
        QCOMPARE(notMade.size(), 3);
        QCOMPARE(history->Stack()->count(), 1);
        QCOMPARE(names(), QStringList{"A"});
        QVERIFY(history->Undo().Made());
        QCOMPARE(names(), QStringList{});
    }

    // A book opened: every song replaced, the boxes told on each step; one whose songs cannot
    // all be written leaves the list as it was, and the stack too.
    void aBookReplacesEverySongWithItsBoxes() {
        QVERIFY(history->Add({u"A", u"x"}).Made());
        QVERIFY(history->Add({u"B", u"x"}).Made());
        QSignalSpy boxes(history.get(), &ChangeHistory::boxesStepped);
        velmora::RunBoxes before, after;
        before.title = u"我的歌词本";
        after.title = u"我的最爱";
        const std::vector<velmora::Song> book{{u"C", u"y"}, {u"D", u"y"}, {u"E", u"y"}};
        {
            InjectedFaults faults({Throws(Call::Open, "part0003.html")});
            QVERIFY(history->Replace(book, before, after, "打开书").error);
        }
        QCOMPARE(names(), (QStringList{"A", "B"}));
        QCOMPARE(history->Stack()->count(), 2);
        QVERIFY(history->Replace(book, before, after, "打开书").Made());
        QCOMPARE(names(), (QStringList{"C", "D", "E"}));
        QVERIFY(boxes.isEmpty());
        QVERIFY(history->Undo().Made());
        QCOMPARE(names(), (QStringList{"A", "B"}));
        QVERIFY(history->Redo().Made());
        QCOMPARE(names(), (QStringList{"C", "D", "E"}));
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes[0][0].value<velmora::RunBoxes>().title, u"我的歌词本");
        QCOMPARE(boxes[1][0].value<velmora::RunBoxes>().title, u"我的最爱");
        QVERIFY(history->Undo().Made() && history->Undo().Made());
        QCOMPARE(names(), QStringList{"A"});
        QCOMPARE(boxes.size(), 3);  // a song's change leaves the boxes alone
    }

    // Several songs removed or moved as one change; a step that fails midway puts back the
    // ones before it; numbers out of order or past an end are refused.
    void severalSongsChangeAsOne() {
        for (const char16_t* name : {u"A", u"B", u"C", u"D", u"E"}) {
            QVERIFY(history->Add({name, u"x"}).Made());
        }
        for (const std::vector<int>& wrong :
             std::vector<std::vector<int>>{{}, {3, 2}, {2, 2}, {5, 6}}) {
            QCOMPARE(history->RemoveSeveral(wrong).refusal, Refusal::NoSuchSong);
        }
        QCOMPARE(history->MoveSeveral({1, 3}, true).refusal, Refusal::NoSuchSong);
        QCOMPARE(history->MoveSeveral({3, 5}, false).refusal, Refusal::NoSuchSong);
        // The second step's journal record runs out of memory.
        const auto failingSecond = [](const std::function<ChangeOutcome()>& change) {
            int records = 0;
            InjectedFaults faults({}, [&records](Call call, const std::string& path) {
                if (call == Call::Write && path.ends_with("lyric.txt") && ++records == 2) {
                    throw std::bad_alloc();
                }
            });
            return change().error.has_value() && records > 2;
        };
        QVERIFY(failingSecond([&] { return history->RemoveSeveral({1, 3, 5}); }));
        QVERIFY(failingSecond([&] { return history->MoveSeveral({2, 4}, false); }));
        QCOMPARE(names(), (QStringList{"A", "B", "C", "D", "E"}));
        QCOMPARE(history->Stack()->count(), 5);
        QVERIFY(history->MoveSeveral({2, 4}, false).Made());
        QCOMPARE(names(), (QStringList{"A", "C", "B", "E", "D"}));
        QVERIFY(history->MoveSeveral({3, 5}, true).Made());
        QCOMPARE(names(), (QStringList{"A", "B", "C", "D", "E"}));
        QVERIFY(history->MoveSeveral({2, 3}, false).Made());  // side by side, kept in order
        QCOMPARE(names(), (QStringList{"A", "D", "B", "C", "E"}));
        QVERIFY(history->Undo().Made());
        QVERIFY(history->RemoveSeveral({1, 3, 5}).Made());
        QCOMPARE(names(), (QStringList{"B", "D"}));
        QVERIFY(history->Undo().Made());
        QCOMPARE(names(), (QStringList{"A", "B", "C", "D", "E"}));
        QVERIFY(history->Undo().Made());
        QCOMPARE(names(), (QStringList{"A", "C", "B", "E", "D"}));
    }

    // Every song converted at once, aside, then written: a no from the progress while the
    // songs are converted, or while their pages are written, leaves every song and the journal
    // as they were; undone and redone, the songs change places with the run's.
    void conversionsStopWhenToldAndTradePlaces() {
        for (const char16_t* name : {u"軟體", u"頭髮", u"x"}) {
            QVERIFY(history->Add({name, u"裡"}).Made());
        }
        struct Saying : velmora::ImportProgress {
            explicit Saying(int yes) : calls(yes) {}
            bool Going(std::size_t, std::size_t) override { return calls-- > 0; }
            int calls;
        };
        Saying never(0);
        QCOMPARE(
            FailureOf([&] { Converted(run->Songs(), velmora::ScriptForm::Simplified, never); }),
            Described(velmora::Problem::Stopped));
        Saying going(1'000'000);
        auto edits = Converted(run->Songs(), velmora::ScriptForm::Simplified, going);
        QCOMPARE(edits.size(), 3u);
        const std::string before = ReadBytes(run->Layout().SongLog());
        const ChangeOutcome stopped = history->EditAll(
            edits, "全部转为简体", [](std::size_t done, std::size_t) { return done < 2; });
        QVERIFY(stopped.error && stopped.error->failure->problem() == velmora::Problem::Stopped);
        QCOMPARE(names(), (QStringList{"軟體", "頭髮", "x"}));
        QCOMPARE(ReadBytes(run->Layout().SongLog()), before);
        QVERIFY(history->EditAll(std::move(edits), "全部转为简体").Made());
        QCOMPARE(names(), (QStringList{"软件", "头发", "x"}));
        QCOMPARE(run->Songs().At(3).lyric, u"里");
        QVERIFY(history->Undo().Made());
        QCOMPARE(names(), (QStringList{"軟體", "頭髮", "x"}));
        QVERIFY(history->Redo().Made());
        QCOMPARE(names(), (QStringList{"软件", "头发", "x"}));
    }
};

QTEST_MAIN(ChangeHistoryTest)
#include "change_history_test.moc"
