#include <QtGui>
#include <QtTest>

#include "print/chinese_font.h"
#include "print/mixed_text.h"
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
    return Run("pdftotext",
               {"-f", QString::number(n), "-l", QString::number(n), "-layout", pdf, "-"});
}

QString Info(const QString& pdf, const char* key) {
    return QRegularExpression(QString("\\n%1: +([^\\n]*)").arg(key))
        .match("\n" + Run("pdfinfo", {pdf}))
        .captured(1);
}

}  // namespace

// A real PDF of a dozen songs as poppler reads it back: its pages, fonts, metadata and text.
class SongbookPdfTest : public QObject {
    Q_OBJECT

    TempDir dir;
    SongCollection songs = Dozen();

    QString Export(const PrintOptions& options, const char* name) {
        const fs::path path = dir / name;
        ExportSongbook({{u"我的最爱", u"小明"}, songs, {}, 1796000000}, options, path, "Velmora");
        return QString::fromStdString(path.string());
    }

    static bool CanRead() {
        return ChineseFontFamily(Script::Simplified) &&
               !QStandardPaths::findExecutable("pdfinfo").isEmpty();
    }

private slots:
    // Wine has no font with Chinese: the machine's own, through its Z: drive.
    void initTestCase() {
        const QString wine = "Z:/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";
        if (QFile::exists(wine)) {
            QVERIFY(QFontDatabase::addApplicationFont(wine) >= 0);
        }
    }

    // A Han character touching a Latin letter gets a twelfth of an em, drawn as two runs; a
    // space of the text's own takes its place.
    void mixedLinesGetTheirSpace() {
        const auto family = ChineseFontFamily(Script::Simplified);
        if (!family) {
            QSKIP("no font with Chinese here");
        }
        QFont font(*family);
        font.setPixelSize(120);
        const QFontMetricsF metrics(font);
        const MeasuredLine mixed = MeasureLine("爱you", font);
        QCOMPARE(mixed.gaps, std::vector<qsizetype>{1});
        QCOMPARE(mixed.measure.x[1], metrics.horizontalAdvance("爱") + 10);
        const std::vector<TextRun> runs = RunsOf("爱you", mixed, 0, 4);
        QCOMPARE(runs.size(), 2u);
        QCOMPARE(runs[1].text, "you");
        QCOMPARE(runs[1].x, mixed.measure.x[1]);
        QCOMPARE(MeasureLine("爱 you", font).gaps, std::vector<qsizetype>{});
        QCOMPARE(MeasureLine("第1首", font).gaps, (std::vector<qsizetype>{1, 2}));
    }

    // Page numbers in the outer corner, long lines hung under their start, the cover whole.
    void layOutPutsEachThingInItsPlace() {
        const auto family = ChineseFontFamily(Script::Simplified);
        if (!family) {
            QSKIP("no font with Chinese here");
        }
        SongCollection one;
        one.Insert(1, one.Prepare({u"长", std::u16string(200, u'长') + u"\r\n短"}, 1));
        QImage cover(300, 400, QImage::Format_RGB32);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        cover.save(&buffer, "JPEG");
        const BookInfo named{u"书", u"人"};
        const PrintedBook book =
            LayOutSongbook({named, one, jpeg.toStdString(), 1796000000}, {}, *family);
        QCOMPARE(book.pages.size(), 4u);  // cover, title, 目录, the song
        QVERIFY(book.pages[0].cover);
        QCOMPARE(book.cover.size(), QSize(300, 400));
        QCOMPARE(book.songPages, std::vector<int>{4});
        const double middle = book.page.width() / 2;
        for (const std::size_t n : {2u, 3u}) {
            const PrintedText& number = book.pages[n].texts.back();
            QCOMPARE(number.text, QString::number(n + 1));
            QCOMPARE(number.at.x() > middle, n % 2 == 0);  // page n + 1: odd on the right
        }
        // The song's long line: its first printed line at the margin, the next 2 em in.
        std::vector<double> lyricX;
        for (const PrintedText& text : book.pages[3].texts) {
            if (text.face == Face::Lyric) {
                lyricX.push_back(text.at.x());
            }
        }
        QVERIFY(lyricX.size() >= 3);
        const double em = book.faces[static_cast<std::size_t>(Face::Lyric)].pixelSize();
        QCOMPARE(lyricX[1] - lyricX[0], 2 * em);
        QCOMPARE(lyricX.back(), lyricX[0]);  // 短, a line of its own
    }

    // Its bytes alone, where poppler cannot run: a page for each of the book's, the font and
    // its Unicode map in it.
    void pdfIsWhole() {
        if (!ChineseFontFamily(Script::Simplified)) {
            QSKIP("no font with Chinese here");
        }
        QFile pdf(Export({}, "整.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF-1.4\n"));
        QVERIFY(bytes.endsWith("%%EOF\n"));
        QCOMPARE(bytes.count("/Type /Page\n"), 20);  // cover, title, 目录, 16 of songs, 歌手索引
        QCOMPARE(bytes.count("/MediaBox [0 0 420.000000 595.000000]"), 20);
        QVERIFY(bytes.contains("/FontFile2"));
        QVERIFY(bytes.contains("/ToUnicode"));
    }

    void pdfHoldsEveryFontAndLine() {
        if (!CanRead()) {
            QSKIP("no font with Chinese here, or no poppler-utils");
        }
        const QString pdf = Export({}, "书.pdf");
        QCOMPARE(Info(pdf, "Page size"), "420 x 595 pts (A5)");
        QCOMPARE(Info(pdf, "Title"), "我的最爱");
        QCOMPARE(Info(pdf, "Author"), "小明");
        QCOMPARE(Info(pdf, "Creator"), "Velmora");
        const QString fonts = Run("pdffonts", {pdf});
        const QStringList rows = fonts.split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!rows.isEmpty());
        for (const QString& row : rows) {
            // Embedded, with its Unicode map; Qt names no subset as one, so its size says it.
            QVERIFY2(row.contains(QRegularExpression(" yes +(yes|no) +yes ")), qPrintable(fonts));
        }
        QCOMPARE_LT(QFileInfo(pdf).size(), 200'000);
        QString all;
        for (int n = 1; n <= Info(pdf, "Pages").toInt(); ++n) {
            all += PageText(pdf, n);
        }
        for (int n = 1; n <= songs.SongCount(); ++n) {
            for (const auto& line : QString::fromStdU16String(songs.At(n).lyric).split("\r\n")) {
                QVERIFY2(all.contains(line), qPrintable(line));
            }
        }
    }

    // Each contents line names the page its song starts on: the song's name heads that page.
    void contentsNumbersAreTheSongsPages() {
        if (!CanRead()) {
            QSKIP("no font with Chinese here, or no poppler-utils");
        }
        const QString pdf = Export({}, "目录.pdf");
        const QStringList contents = PageText(pdf, 3).split('\n', Qt::SkipEmptyParts);
        const QRegularExpression entry("^(\\S+) · \\S+ +(\\d+)$");
        int entries = 0;
        for (const QString& line : contents) {
            const auto match = entry.match(line.trimmed());
            if (match.hasMatch()) {
                ++entries;
                const QString page = PageText(pdf, match.captured(2).toInt()).trimmed();
                QCOMPARE(page.section('\n', 0, 0).trimmed(), match.captured(1));
            }
        }
        QCOMPARE(entries, songs.SongCount());
    }

    // The paper chosen is the page's size; a booklet is A4 across, two pages a side.
    void paperAndBooklet() {
        if (!CanRead()) {
            QSKIP("no font with Chinese here, or no poppler-utils");
        }
        const std::pair<Paper, const char*> papers[] = {{Paper::A5, "420 x 595 pts (A5)"},
                                                        {Paper::B5, "499 x 709 pts"},
                                                        {Paper::A4, "595 x 842 pts (A4)"},
                                                        {Paper::Letter, "612 x 792 pts (letter)"}};
        for (const auto& [paper, size] : papers) {
            QCOMPARE(Info(Export({paper}, "纸.pdf"), "Page size"), size);
        }
        const int pages = Info(Export({}, "页.pdf"), "Pages").toInt();
        PrintOptions booklet;
        booklet.paper = Paper::A4;
        booklet.booklet = true;
        const QString pdf = Export(booklet, "小册子.pdf");
        QCOMPARE(Info(pdf, "Page size"), "842 x 595 pts (A4)");
        QCOMPARE(Info(pdf, "Pages").toInt(), (pages + 3) / 4 * 2);
        // The first side: the last page (blank or the index) on the left, the cover right.
        QVERIFY(!PageText(pdf, 1).contains("目录"));
        QVERIFY(PageText(pdf, 2).contains("我的最爱"));
    }

    // Without a font that has Chinese the export says so and writes nothing (a run of its
    // own, with no fonts configured).
    void withoutChineseFontNothingIsWritten() {
        if (ChineseFontFamily(Script::Simplified)) {
            QSKIP("a font with Chinese is installed");
        }
        try {
            Export({}, "无字.pdf");
            QFAIL("exported without a font");
        } catch (const Failure& failure) {
            QCOMPARE(failure.problem(), Problem::NoChineseFont);
        }
        QVERIFY(!fs::exists(dir / "无字.pdf"));
    }
};

QTEST_MAIN(SongbookPdfTest)
#include "songbook_pdf_test.moc"
