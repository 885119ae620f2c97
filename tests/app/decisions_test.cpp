#include <QtTest>

#include "app/book_script.h"
#include "app/decisions.h"
#include "app/language.h"
#include "app/song_changes.h"

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
        row("songs, no book", {false, true, 3, 0, false, none, false}, {});
        row("running", {true, true, 3, 0, true, 5, false}, {BuildRefusal::Running, {}});
        row("no title", {false, false, 0, 5, true, 5, false}, {BuildRefusal::NoTitle, {}});
        row("empty over a book, asked once", {false, true, 0, 5, false, 5, false},
            {BuildRefusal::None, {Q::ReplaceByEmptyBook}});
        row("empty over a foreign book", {false, true, 0, -1, false, none, false},
            {BuildRefusal::None, {Q::ReplaceByEmptyBook}});
        row("empty, no book", {false, true, 0, 0, false, none, false}, {});
        row("songs over an earlier book", {false, true, 3, 0, false, -1, false},
            {BuildRefusal::None, {Q::ReplaceEarlierBook}});
        row("file at the save place", {false, true, 2, 0, true, none, false},
            {BuildRefusal::None, {Q::ReplaceAtSavePlace}});
        row("both", {false, true, 0, 1, true, none, false},
            {BuildRefusal::None, {Q::ReplaceByEmptyBook, Q::ReplaceAtSavePlace}});
        row("no folder at the save place", {false, true, 1, 0, false, none, true},
            {BuildRefusal::None, {Q::MakeSaveFolder}});
        row("running, no folder", {true, true, 1, 0, false, none, true},
            {BuildRefusal::Running, {}});
        row("earlier book, and no folder", {false, true, 2, 0, false, 4, true},
            {BuildRefusal::None, {Q::ReplaceEarlierBook, Q::MakeSaveFolder}});
        row("earlier book, and a file at the save place", {false, true, 2, 0, true, 4, false},
            {BuildRefusal::None, {Q::ReplaceEarlierBook, Q::ReplaceAtSavePlace}});
    }
    void plansTheBuild() {
        QFETCH(BuildFacts, facts);
        QFETCH(BuildPlan, plan);
        const BuildPlan planned = PlanBuild(facts);
        QCOMPARE(planned.refusal, plan.refusal);
        QCOMPARE(planned.questions, plan.questions);
    }

    // A book speaks the script most of its title and songs are in; one without Chinese, and
    // a mix leaning Simplified, Simplified.
    void booksSpeakTheirOwnScript() {
        using velmora::Script;
        const struct {
            std::u16string title;
            std::vector<std::u16string> songs;
            Script script;
        } table[] = {
            {u"我的最爱", {u"月亮代表我的心", u"你问我爱你有多深"}, Script::Simplified},
            {u"我的最愛", {u"月亮代表我的心", u"你問我愛你有多深"}, Script::Traditional},
            {u"華語金曲", {u"軟體裡存著"}, Script::Traditional},
            {u"Love Songs", {u"Moon River", u"Wider than a mile"}, Script::Simplified},
            {u"Hits", {u"Moon River", u"軟體裡存著"}, Script::Traditional},
            {u"我的最愛", {u"你问我爱你有多深", u"软件里存着"}, Script::Simplified},
        };
        for (const auto& row : table) {
            velmora::SongCollection songs;
            for (const std::u16string& name : row.songs) {
                const int n = songs.SongCount() + 1;
                songs.Insert(n, songs.Prepare({name, name + u"\r\n" + name}, n));
            }
            QCOMPARE(ScriptOfBook(row.title, songs), row.script);
        }
    }

    void booksComeBackWholeIntoAnEmptyWindow() {
        const struct {
            int songs;
            std::u16string cover, savePlace, title, author;
            bool whole;
        } table[] = {
            {0, u"Text4", u"/x/", u"我的歌词本", u"Velmora", true},
            {0, u"", {}, u"我的歌词本", u"Velmora", true},
            {1, u"Text4", {}, u"我的歌词本", u"Velmora", false},
            {0, u"/a.png", {}, u"我的歌词本", u"Velmora", false},
            {0, u"Text4", {}, u"别的书", u"Velmora", false},
            {0, u"Text4", {}, u"我的歌词本", u"小明", false},
        };
        for (const auto& row : table) {
            RunBoxes boxes;
            boxes.cover = row.cover;
            boxes.savePlace = row.savePlace;
            boxes.title = row.title;
            boxes.author = row.author;
            QCOMPARE(BringsBookBackWhole(row.songs, boxes), row.whole);
        }
    }

    void choosesTheLanguageFromTheLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("add");     // an added song's undo step in it
        QTest::addColumn<QString>("cancel");  // Qt's own Cancel in it
        const auto row = [](const char* locale, const char* language, const char* add,
                            const char* cancel) {
            QTest::newRow(locale) << locale << language << add << cancel;
        };
        row("zh_CN", "", "添加", "取消");
        row("zh_TW", "zh_TW", "新增", "取消");
        row("zh_HK", "zh_TW", "新增", "取消");
        row("zh_Hans_MO", "zh_TW", "新增", "取消");  // Macau's usage, by its territory
        row("en_US", "en", "Add", "Cancel");
        row("C", "", "添加", "取消");
        row("fr_FR", "", "添加", "取消");
    }
    void choosesTheLanguageFromTheLocale() {
        QFETCH(QString, locale);
        QFETCH(QString, language);
        QCOMPARE(ProgramLanguage(QLocale(locale).uiLanguages()), language);
        QVERIFY(InstallTranslations(*qApp, language));
        QTEST(Added(1, {{u"月光", u"a"}}).text(), "add");
        QTEST(QCoreApplication::translate("QPlatformTheme", "Cancel"), "cancel");
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
