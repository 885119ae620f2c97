#include <QtTest>
#include <QtWidgets>

#include "app/language.h"
#include "support/fakes.h"
#include "ui/dialogs/build_questions.h"
#include "ui/failure_wording.h"
#include "ui/form1.h"
#include "ui/import_summary.h"
#include "ui/wording.h"

namespace fs = std::filesystem;
using velmora::Failure;
using velmora::Problem;

// A report of `count` empty files skipped, /1.txt on.
velmora::ImportReport Skipped(int count) {
    velmora::ImportReport report;
    for (int n = 1; n <= count; ++n) {
        report.skipped.emplace_back(Problem::Empty, fs::path("/") / (std::to_string(n) + ".txt"));
    }
    return report;
}

// The window's words for what comes back, in each language it speaks.
class WordingTest : public QObject {
    Q_OBJECT

    void languages() {
        QTest::addColumn<QString>("language");
        for (const char* language : {"", "zh_TW", "en"}) {
            QTest::newRow(*language != '\0' ? language : "zh_CN") << language;
        }
    }

private slots:
    // What a failure or a refusal means to the user, in the window's words.
    void wordsWhatCameBack() {
        const auto report = [](int songs, std::vector<fs::path> misread,
                               std::optional<Failure> unwritable = {},
                               std::vector<fs::path> unwritten = {}) {
            velmora::ImportReport made;
            made.songs = songs;
            made.misread = std::move(misread);
            made.unwritable = std::move(unwritable);
            made.unwritten = std::move(unwritten);
            return made;
        };
        const struct {
            QString worded, expected;
        } table[] = {
            {Wording(CommandError{Failure(Problem::CannotWrite, "/a/b", ENOSPC), {}}),
             "无法写入文件：/a/b（磁盘空间不足）"},
            {Wording(CommandError{std::nullopt, "std::bad_alloc"}), "操作未能完成：std::bad_alloc"},
            {Wording(CommandError{}), "操作未能完成：未知错误"},
            {Wording(Failure(Problem::ArchiverFailed, "/b.epub", 2, "bad %1")),
             "压缩程序 7za 出错（退出状态 2）：bad %1\n/b.epub"},
            {Wording(Failure(Problem::Empty, "/%2.txt")), "/%2.txt：文件是空的"},
            {Wording(Failure(Problem::CannotConvert, "t2s.json", 0, "gone")),
             "无法载入简繁转换：t2s.json（gone）"},
            {Wording(Failure(Problem::CannotConvert, {}, 0, "gone")), "无法载入简繁转换（gone）"},
            {Wording(Failure(Problem::ArchiveUnexpected)), "压缩程序 7za 写出的文件与预期不同"},
            {Wording(Failure(Problem::NotText)), "不是文本文件"},
            {SkipReason(Failure(Problem::CannotWrite, "/l.txt", ENOSPC)),
             "无法写入歌曲（磁盘空间不足）"},
            {SkipReason(Failure(Problem::CannotCreateFolder, "/t", EACCES)),
             "无法创建工作文件夹：/t（没有权限）"},
            {SkipReason(Failure(Problem::Stopped, "/a.lrc")), "已取消"},
            {RefusalText(velmora::Refusal::EmptyInput), "歌词和歌名不能为空。"},
            {RefusalText(velmora::Refusal::NoSuchSong), ""},
            {BuildRefusalText(BuildRefusal::Running), "正在制作，请等这一次制作完成。"},
            {BuildRefusalText(BuildRefusal::NoTitle), "书名不能为空。"},
            {BuildRefusalText(BuildRefusal::None), ""},
            {ReplaceByEmptyText("书", 3), "《书》已有 3 首歌。要用没有歌曲的歌词本替换它吗？"},
            {ReplaceByEmptyText("书", -1), "《书》已经存在。要用没有歌曲的歌词本替换它吗？"},
            {Elided(QString(60, u'歌')), QString(60, u'歌')},
            {Elided(QString(61, u'歌')), QString(39, u'歌') + "…" + QString(20, u'歌')},
            {ImportSummary(Skipped(20)).section('\n', -1), "/20.txt：文件是空的"},
            {ImportSummary(Skipped(21)).section('\n', -1), "……另有 1 个文件。"},
            {ImportSummary(report(1, {"/d.txt"})),
             "导入了 1 首歌。以下文件有无法识别的字符（显示为 �）：\n/d.txt"},
            {ImportSummary(report(2, {})), ""},
            {ImportSummary(report(3, {}, Failure(Problem::CannotWrite, "/run/lyric.txt", ENOSPC),
                                  {"/a.lrc", "/b.lrc"})),
             "导入了 3 首歌。以下 2 个文件没有导入：磁盘空间不足\n/a.lrc\n/b.lrc"},
        };
        // The paths as the system writes them.
        for (const auto& row : table) {
            QCOMPARE(row.worded, QDir::toNativeSeparators(row.expected));
        }
    }

    // Every problem has words of its own in every language, naming the file where it has one
    // and leaving no place unfilled; without a file, no separator stands alone.
    void wordsEveryProblem_data() { languages(); }
    void wordsEveryProblem() {
        QFETCH(QString, language);
        QVERIFY(InstallTranslations(*qApp, language));
        const fs::path file = fs::path("/songs/a song.lrc").make_preferred();
        static const QRegularExpression unfilled("%\\d"),
            chinese("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]");
        QSet<QString> said;
        for (int p = 0; p <= static_cast<int>(Problem::Stopped); ++p) {
            const auto problem = static_cast<Problem>(p);
            const QString row = QString::number(p);
            const QString worded = Wording(Failure(problem, file, ENOENT, "detail"));
            const QString alone = Wording(Failure(problem, {}, ENOENT, "detail"));
            for (const QString& text : {worded, alone, SkipReason(Failure(problem, file))}) {
                QVERIFY2(!text.isEmpty() && !text.contains(unfilled), qPrintable(row + text));
                QVERIFY2(language != "en" || !text.contains(chinese), qPrintable(row + text));
            }
            QVERIFY2(worded.contains(ElidedPath(file)), qPrintable(row + worded));
            QVERIFY2(!alone.startsWith("：") && !alone.startsWith(":") && !alone.contains("：（") &&
                         !alone.contains(": ("),
                     qPrintable(row + alone));
            said.insert(worded);
        }
        // Only the two problems said as "no lyric" share their words.
        QCOMPARE(said.size(), static_cast<int>(Problem::Stopped));
    }

    // The window speaks the language chosen; the book keeps its own words.
    void windowSpeaksTheLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("make");  // 开始制作 in it
        QTest::newRow("zh_CN") << ""
                               << "开始制作";
        QTest::newRow("zh_TW") << "zh_TW"
                               << "開始製作";
        QTest::newRow("en") << "en"
                            << "Make book";
    }
    void windowSpeaksTheLanguage() {
        QFETCH(QString, language);
        QVERIFY(InstallTranslations(*qApp, language));
        velmora::testing::RunFolder folder;
        QtFileDialogRunner dialogs;
        QtMessageBoxRunner boxes;
        Application app(folder.app.path(), folder.clock);
        Form1 form(app, dialogs, boxes);
        QTEST(form.findChild<QPushButton*>("Command2")->text(), "make");
        QCOMPARE(form.findChild<QLineEdit*>("Text5")->text(), "我的歌词本");
    }

    void cleanup() {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

QTEST_MAIN(WordingTest)
#include "wording_test.moc"
