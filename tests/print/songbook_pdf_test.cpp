#include <QtGui>
#include <QtTest>

#include "print/chinese_font.h"
#include "print/songbook_export.h"
#include "support/files.h"
#include "text/failure.h"
#include "workspace/song_collection.h"

namespace fs = std::filesystem;
using namespace velmora;
using velmora::testing::TempDir;

namespace {

// A dozen songs by three artists; song 5 runs to two A5 pages, song 9 past two.
SongCollection Dozen() {
    SongCollection songs;
    const std::u16string artists[] = {u"周杰伦", u"邓丽君", u"Coldplay"};
    for (int n = 1; n <= 12; ++n) {
        const std::u16string number(1, static_cast<char16_t>(u'0' + n % 10));
        std::u16string lyric;
        const int stanzas = n == 5 ? 9 : n == 9 ? 18 : 2;
        for (int k = 1; k <= stanzas; ++k) {
            for (int line = 1; line <= 4; ++line) {
                lyric += u"第" + number + u"首歌，月亮代表我的心" + number + u"\r\n";
            }
            lyric += u"\r\n";
        }
        lyric += u"I love you 我爱你，永远不变。\r\n";
        Song song{u"歌" + number + u"号", lyric, artists[(n - 1) % 3]};
        songs.Insert(n, songs.Prepare(std::move(song), n));
    }
    return songs;
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// pdftotext's text of page n (from 1).
QString PageText(const QString& pdf, int n) {
    return Run("pdftotext", {"-f", QString::number(n), "-l", QString::number(n), "-layout", pdf, "-"});
}

}  // namespace

// A real PDF of a dozen songs as poppler reads it back: its pages, fonts, metadata and text.
class SongbookPdfTest : public QObject {
    Q_OBJECT

    TempDir dir;
    SongCollection songs = Dozen();

private slots:
    void initTestCase() {
        if (!ChineseFontFamily(Script::Simplified)) {
            QSKIP("no font with Chinese here");
        }
        if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
            QSKIP("poppler-utils is not installed");
        }
    }

    void pdfHoldsEveryPageFontAndLine() {
        const fs::path path = dir / "书.pdf";
        ExportSongbook({{u"我的最爱", u"小明"}, songs, {}, 1796000000}, {}, path, "Velmora");
        const QString pdf = QString::fromStdString(path.string());
        const QString info = Run("pdfinfo", {pdf});
        QVERIFY2(info.contains(QRegularExpression("Page size: +420 x 595 pts \\(A5\\)")), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression("Title: +我的最爱\n")), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression("Author: +小明\n")), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression("Creator: +Velmora\n")), qPrintable(info));
        const int pages = QRegularExpression("Pages: +(\\d+)").match(info).captured(1).toInt();
        const QString fonts = Run("pdffonts", {pdf});
        const QStringList rows = fonts.split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!rows.isEmpty());
        for (const QString& row : rows) {
            // Embedded, with its Unicode map; Qt names no subset as one, so its size says it.
            QVERIFY2(row.contains(QRegularExpression(" yes +(yes|no) +yes ")), qPrintable(fonts));
        }
        QCOMPARE_LT(fs::file_size(path), 200'000u);
        QString all;
        for (int n = 1; n <= pages; ++n) {
            all += PageText(pdf, n);
        }
        for (int n = 1; n <= songs.SongCount(); ++n) {
            for (const auto& line : QString::fromStdU16String(songs.At(n).lyric).split("\r\n")) {
                QVERIFY2(all.contains(line), qPrintable(line));
            }
        }
    }
};

QTEST_MAIN(SongbookPdfTest)
#include "songbook_pdf_test.moc"
