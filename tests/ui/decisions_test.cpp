#include <QtTest>
#include <QtWidgets>

#include "decisions.h"
#include "form1.h"
#include "language.h"
#include "support/fakes.h"
#include "wording.h"

using velmora::RunBoxes;

Q_DECLARE_METATYPE(BuildFacts)
Q_DECLARE_METATYPE(BuildPlan)

// The decisions and the window's languages, each a table of plain values.
class DecisionsTest : public QObject {
    Q_OBJECT

private slots:
    void plansTheBuild_data() {
        QTest::addColumn<BuildFacts>("facts");
        QTest::addColumn<BuildPlan>("plan");
        using Q = BuildQuestion;
        const auto row = [](const char* name, BuildFacts facts, BuildPlan plan) {
            QTest::newRow(name) << facts << plan;
        };
        const std::optional<int> none;
        row("songs, no book", {false, true, 3, 0, false, none}, {});
        row("running", {true, true, 3, 0, true, 5}, {BuildRefusal::Running, {}});
        row("no title", {false, false, 0, 5, true, 5}, {BuildRefusal::NoTitle, {}});
        row("empty over a book, asked once", {false, true, 0, 5, false, 5},
            {BuildRefusal::None, {Q::ReplaceByEmptyBook}});
        row("empty over a foreign book", {false, true, 0, -1, false, none},
            {BuildRefusal::None, {Q::ReplaceByEmptyBook}});
        row("empty, no book", {false, true, 0, 0, false, none}, {});
        row("songs over an earlier book", {false, true, 3, 0, false, -1},
            {BuildRefusal::None, {Q::ReplaceEarlierBook}});
        row("file at the save place", {false, true, 2, 0, true, none},
            {BuildRefusal::None, {Q::ReplaceAtSavePlace}});
        row("both", {false, true, 0, 1, true, none},
            {BuildRefusal::None, {Q::ReplaceByEmptyBook, Q::ReplaceAtSavePlace}});
        row("earlier book, and a file at the save place", {false, true, 2, 0, true, 4},
            {BuildRefusal::None, {Q::ReplaceEarlierBook, Q::ReplaceAtSavePlace}});
    }
    void plansTheBuild() {
        QFETCH(BuildFacts, facts);
        QFETCH(BuildPlan, plan);
        const BuildPlan planned = PlanBuild(facts);
        QCOMPARE(planned.refusal, plan.refusal);
        QCOMPARE(planned.questions, plan.questions);
    }

    void booksComeBackWholeIntoAnEmptyWindow() {
        const struct {
            int songs;
            RunBoxes boxes;
            bool whole;
        } table[] = {
            {0, {u"Text4", u"/x/", u"我的歌词本", u"Velmora"}, true},
            {0, {u"", {}, u"我的歌词本", u"Velmora"}, true},
            {1, {u"Text4", {}, u"我的歌词本", u"Velmora"}, false},
            {0, {u"/a.png", {}, u"我的歌词本", u"Velmora"}, false},
            {0, {u"Text4", {}, u"别的书", u"Velmora"}, false},
            {0, {u"Text4", {}, u"我的歌词本", u"小明"}, false},
        };
        for (const auto& row : table) {
            QCOMPARE(BringsBookBackWhole(row.songs, row.boxes), row.whole);
        }
    }

    // What a failure or a refusal means to the user, in the window's words.
    void wordsWhatCameBack() {
        const struct {
            QString worded, expected;
        } table[] = {
            {Wording(
                 CommandError{velmora::Failure(velmora::Problem::CannotWrite, "/a/b", ENOSPC), {}}),
             "无法写入文件：/a/b（磁盘空间不足）"},
            {Wording(CommandError{std::nullopt, "std::bad_alloc"}), "操作未能完成：std::bad_alloc"},
            {Wording(CommandError{}), "操作未能完成：未知错误"},
            {Wording(velmora::Failure(velmora::Problem::ArchiverFailed, "/b.epub", 2, "bad %1")),
             "压缩程序 7za 出错（退出状态 2）：bad %1\n/b.epub"},
            {Wording(velmora::Failure(velmora::Problem::Empty, "/%2.txt")), "/%2.txt：文件是空的"},
            {Wording(velmora::Failure(velmora::Problem::CannotConvert, "t2s.json", 0, "gone")),
             "无法载入简繁转换：t2s.json（gone）"},
            {BuildRefusalText(BuildRefusal::Running), "正在制作，请等这一次制作完成。"},
            {BuildRefusalText(BuildRefusal::NoTitle), "书名不能为空。"},
            {BuildRefusalText(BuildRefusal::None), ""},
            {ReplaceByEmptyText("书", 3), "《书》已有 3 首歌。要用没有歌曲的歌词本替换它吗？"},
            {ReplaceByEmptyText("书", -1), "《书》已经存在。要用没有歌曲的歌词本替换它吗？"},
        };
        for (const auto& row : table) {
            QCOMPARE(row.worded, row.expected);
        }
    }

    void choosesTheLanguageFromTheLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("make");    // 开始制作 in it
        QTest::addColumn<QString>("cancel");  // Qt's own Cancel in it
        const auto row = [](const char* locale, const char* language, const char* make,
                            const char* cancel) {
            QTest::newRow(locale) << locale << language << make << cancel;
        };
        row("zh_CN", "", "开始制作", "取消");
        row("zh_TW", "zh_TW", "開始製作", "取消");
        row("zh_HK", "zh_TW", "開始製作", "取消");
        row("en_US", "en", "Make book", "Cancel");
        row("C", "", "开始制作", "取消");
        row("fr_FR", "", "开始制作", "取消");
    }
    void choosesTheLanguageFromTheLocale() {
        QFETCH(QString, locale);
        QFETCH(QString, language);
        QCOMPARE(ProgramLanguage(QLocale(locale).uiLanguages()), language);
        QVERIFY(InstallTranslations(*qApp, language));
        velmora::testing::RunFolder folder;
        QtFileDialogRunner dialogs;
        Application app(folder.app.path(), folder.clock);
        Form1 form(app, dialogs);
        QTEST(form.findChild<QPushButton*>("Command2")->text(), "make");
        QTEST(QCoreApplication::translate("QPlatformTheme", "Cancel"), "cancel");
        // The book keeps its own words.
        QCOMPARE(form.findChild<QLineEdit*>("Text5")->text(), "我的歌词本");
    }
    void cleanup() {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

QTEST_MAIN(DecisionsTest)
#include "decisions_test.moc"
