#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include "app/song_filter.h"
#include "app/song_list_model.h"
#include "support/fakes.h"

using namespace velmora::testing;

// The song list's model alone, over a real run: Qt's model tester checks every signal it
// sends against what it then reports, and the spies that it says just what changed.
class SongListModelTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ReadyRun> run;
    std::unique_ptr<SongListModel> model;
    std::vector<std::pair<int, int>> asked;
    bool moves = true;

    QStringList rows() const {
        QStringList texts;
        for (int row = 0; row < model->rowCount(); ++row) {
            texts << model->index(row).data(Qt::AccessibleTextRole).toString();
        }
        return texts;
    }

private slots:
    void init() {
        model.reset();  // the previous test's model goes before its run
        run = std::make_unique<ReadyRun>();
        run->AddLyric(u"春天", u"a");
        asked.clear();
        model = std::make_unique<SongListModel>(run->Songs(), [this](int from, int to) {
            asked.emplace_back(from, to);
            return moves && run->MoveLyric(from, to) == velmora::Refusal::None;
        });
        run->SetObserver(model.get());
        new QAbstractItemModelTester(
            model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest, model.get());
    }

    void followsEachChange() {
        QSignalSpy inserted(model.get(), &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(model.get(), &QAbstractItemModel::rowsRemoved);
        QSignalSpy moved(model.get(), &QAbstractItemModel::rowsMoved);
        QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
        QCOMPARE(rows(), QStringList{"1:春天"});
        run->AddSongs(2, {{u"夏", u"b"}, {u"秋", u"c", u"歌手"}});
        QCOMPARE(inserted.takeFirst().mid(1), (QVariantList{1, 2}));
        QCOMPARE(rows(), (QStringList{"1:春天", "2:夏", "3:秋"}));
        QCOMPARE(model->index(2).data(Qt::ToolTipRole).toString(), "秋（歌手）");
        QCOMPARE(model->index(0).data(Qt::ToolTipRole).toString(), "春天");
        QCOMPARE(model->index(1).data().toString(), "夏");
        run->MoveLyric(3, 1);
        QCOMPARE(moved.takeFirst().mid(1), (QVariantList{2, 2, QModelIndex(), 0}));
        // Every row between shows a new number.
        QCOMPARE(changed.takeFirst().mid(0, 2), (QVariantList{model->index(0), model->index(2)}));
        QCOMPARE(rows(), (QStringList{"1:秋", "2:春天", "3:夏"}));
        run->MoveLyric(1, 3);
        QCOMPARE(moved.takeFirst().mid(1), (QVariantList{0, 0, QModelIndex(), 3}));
        run->EditLyric(2, {u"夏天", u"b"});
        QCOMPARE(changed.last().mid(0, 2), (QVariantList{model->index(1), model->index(1)}));
        run->RemoveSongs(1, 2);
        QCOMPARE(removed.takeFirst().mid(1), (QVariantList{0, 1}));
        QCOMPARE(rows(), QStringList{"1:秋"});
        QCOMPARE(model->data(model->index(0).siblingAtRow(5), Qt::DisplayRole), QVariant());
    }

    // A drag asks the mover, in song numbers, for the place before the row it is dropped on.
    void dragsMoveThroughTheMover() {
        run->AddSongs(2, {{u"夏", u"b"}, {u"秋", u"c"}});
        QVERIFY(model->moveRow({}, 0, {}, 3));
        QVERIFY(model->moveRow({}, 2, {}, 0));
        QCOMPARE(asked, (std::vector<std::pair<int, int>>{{1, 3}, {3, 1}}));
        QCOMPARE(rows(), (QStringList{"1:春天", "2:夏", "3:秋"}));
        // Onto itself (either half of its own place), or into a row, or several rows at once:
        // nothing asked.
        QVERIFY(!model->moveRow({}, 1, {}, 2));
        QVERIFY(!model->moveRow({}, 1, {}, 1));
        QVERIFY(!model->moveRows({}, 0, 2, {}, 3));
        QVERIFY(!model->moveRow(model->index(0), 0, {}, 2));
        QCOMPARE(asked.size(), 2u);
        moves = false;
        QVERIFY(!model->moveRow({}, 0, {}, 2));
        QVERIFY(model->flags(model->index(0)) & Qt::ItemIsDragEnabled);
        QVERIFY(model->flags({}) & Qt::ItemIsDropEnabled);
        // Among some songs only, a place in the list is no place in the book: no move.
        moves = true;
        SongFilter filter;
        filter.setSourceModel(model.get());
        filter.SetText("秋");
        QCOMPARE(filter.rowCount(), 1);
        QVERIFY(!filter.moveRow({}, 0, {}, 3));
        QCOMPARE(asked.size(), 3u);
        filter.SetText({});
        QVERIFY(filter.moveRow({}, 0, {}, 2));
        QCOMPARE(asked.back(), std::pair(1, 2));
    }
};

QTEST_MAIN(SongListModelTest)
#include "song_list_model_test.moc"
