#include <QtGui>
#include <QtTest>

#include "cover/cover_drawing.h"
#include "cover/cover_image.h"
#include "cover/jpeg_decoder.h"
#include "support/files.h"
#include "text/failure.h"

namespace fs = std::filesystem;
using namespace velmora::testing;
using velmora::Problem;

namespace {

QString Path(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// An image file: transparent, or noise (as large as a JPEG nearly as raw) at that quality.
QString Image(const fs::path& path, QSize size, const char* format, int noisyAt = -1) {
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    if (noisyAt >= 0) {
        auto* pixels = reinterpret_cast<quint32*>(picture.bits());
        QRandomGenerator(1).fillRange(pixels, static_cast<qsizetype>(picture.sizeInBytes() / 4));
        picture = picture.convertToFormat(QImage::Format_RGB32);
    }
    picture.save(Path(path), format, noisyAt);
    return Path(path);
}

QImage Decoded(const std::optional<std::string>& jpeg) {
    return QImage::fromData(QByteArray::fromStdString(jpeg.value()), "JPEG");
}

// Red on the left half, blue on the right.
QImage Halves(QSize size) {
    QImage halves(size, QImage::Format_RGB32);
    halves.fill(Qt::red);
    QPainter(&halves).fillRect(size.width() / 2, 0, size.width() / 2, size.height(), Qt::blue);
    return halves;
}

}  // namespace

// The cover the cover box asks for, read, checked, turned upright and made the book's JPEG;
// and a named book's own cover drawn.
class CoverTest : public QObject {
    Q_OBJECT

    TempDir dir;

private slots:
    // A sound JPEG of at most 2,560 pixels a side and 5 MiB goes in as it is; anything else
    // upright, of at most 2,560 pixels a side, on white, as JPEG.
    void coverBoxGivesTheBooksCover() {
        QCOMPARE(CoverJpeg(QString("Text4")), std::nullopt);
        QCOMPARE(CoverJpeg(QString()), std::nullopt);
        const QString edge = Image(dir / "edge.jpg", {2560, 10}, "JPEG");
        QCOMPARE(CoverJpeg(edge), ReadBytes(edge.toStdString()));
        QCOMPARE(Decoded(CoverJpeg(Image(dir / "wide.jpg", {2561, 1000}, "JPEG"))).size(),
                 QSize(2560, 999));
        // CMYK stored inverted, as Adobe's are, wider than a cover: red left, blue right.
        const QImage cmyk = Decoded(CoverJpeg(VELMORA_TEST_DATA "/cmyk-wide.jpg"));
        QVERIFY(cmyk.pixelColor(100, 4).red() > 200 && cmyk.pixelColor(2400, 4).blue() > 200);
        const QImage tall = Decoded(CoverJpeg(Image(dir / "tall.png", {1000, 4000}, "PNG")));
        QCOMPARE(tall.size(), QSize(640, 2560));
        QCOMPARE(tall.pixelColor(320, 1280), QColor(Qt::white));
        // Noise that stays above 5 MiB as a JPEG of 2,560 pixels: made smaller.
        const QString noise = Image(dir / "noise.jpg", {2560, 2560}, "JPEG", 100);
        QVERIFY(CoverJpeg(noise)->size() < fs::file_size(dir / "noise.jpg"));
        // Twice and eight times a cover's side: decoded at 1/2 and 1/8, no larger.
        for (const int side : {5120, 20480}) {
            const QString large = Image(dir / "large.jpg", {side, 8}, "JPEG");
            QCOMPARE(DecodeJpeg(QByteArray::fromStdString(ReadBytes(large.toStdString())), 2560)
                         .image.width(),
                     2560);
        }
    }

    // EXIF orientations, in a JPEG's APP1 segment and in a PNG's eXIf chunk after its header:
    // 6, stored on its side, is turned a quarter right, its left half on top; 8 a quarter
    // left, its left half below; 2 is mirrored, its left half on the right; 5 and 7 are
    // mirrored about a diagonal, the left half on top and below.
    void coversAreTurnedUpright() {
        const char* jpeg = "FF E1 00 22 45 78 69 66 00 00";
        for (const auto& [format, at, head, crc, turn, size, red] :
             {std::tuple{"JPEG", 2, jpeg, "", "06", QSize(100, 200), QPoint(50, 20)},
              {"PNG", 33, "00 00 00 1A 65 58 49 66", "00 00 00 00", "06", QSize(100, 200),
               QPoint(50, 20)},
              {"JPEG", 2, jpeg, "", "02", QSize(200, 100), QPoint(150, 50)},
              {"JPEG", 2, jpeg, "", "08", QSize(100, 200), QPoint(50, 180)},
              {"PNG", 33, "00 00 00 1A 65 58 49 66", "00 00 00 00", "05", QSize(100, 200),
               QPoint(50, 20)},
              {"PNG", 33, "00 00 00 1A 65 58 49 66", "00 00 00 00", "07", QSize(100, 200),
               QPoint(50, 180)}}) {
            const std::string exif =
                Hex("4D 4D 00 2A 00 00 00 08 00 01 01 12 00 03 00 00 00 01 00 " +
                    std::string(turn) + " 00 00 00 00 00 00");
            const fs::path turned = dir / (std::string("turned") + turn + "." + format);
            Halves({200, 100}).save(Path(turned), format);
            WriteBytes(turned, ReadBytes(turned).insert(at, Hex(head) + exif + Hex(crc)));
            const QImage upright = Decoded(CoverJpeg(Path(turned)));
            QCOMPARE(upright.size(), size);
            QVERIFY(upright.pixelColor(red).red() > 200);
        }
    }

    // What cannot be a cover is refused with the problem and the file.
    void unusableCoversAreRefused() {
        // Declaring 16384 pixels a side: refused before anything is decoded.
        std::string huge = ReadBytes(Image(dir / "huge.jpg", {200, 100}, "JPEG").toStdString());
        WriteBytes(dir / "huge.jpg",
                   huge.replace(huge.find("\xFF\xC0") + 5, 4, Hex("40 00 40 00")));
        // Cut in its image data, where libjpeg only warns.
        const std::string whole =
            ReadBytes(Image(dir / "cut.jpg", {300, 100}, "JPEG", 95).toStdString());
        WriteBytes(dir / "cut.jpg", whole.substr(0, whole.size() * 3 / 4));
        WriteBytes(dir / "notes.png", "not an image");
        const std::pair<fs::path, Problem> refused[] = {
            {dir / "cut.jpg", Problem::CoverNotAnImage},
            {dir / "huge.jpg", Problem::CoverTooLarge},
            {dir / "notes.png", Problem::CoverNotAnImage},
            {dir / "gone.png", Problem::CoverMissing},
            {dir.path(), Problem::CoverNotAFile}};
        for (const auto& [path, problem] : refused) {
            try {
                CoverJpeg(Path(path));
                QFAIL(qPrintable(Path(path)));
            } catch (const velmora::Failure& failure) {
                QCOMPARE(failure.problem(), problem);
                QCOMPARE(failure.path(), path);
            }
        }
    }

    // A named book has a drawn cover unless the user chose one: a wide photo sits whole in the
    // design at its own aspect, the sky above and below it; a tall or square one is the cover as it
    // is.
    void namedBooksHaveTheirOwnCover() {
        for (const std::u16string& title :
             {std::u16string(u"短"),
              std::u16string(u"一个很长很长的书名 with words ") + u"\U0001F3B5",
              std::u16string(200, u'歌')}) {
            const std::string cover = DrawnCover(title, u"小明");
            QCOMPARE(Decoded(cover).size(), QSize(1600, 2560));
            QVERIFY(IsDrawnCover(cover));
        }
        QVERIFY(!IsDrawnCover(ReadBytes(VELMORA_TEMPLATE_DIR "/cover.jpeg")));
        // A Traditional book's says 歌詞本: the two differ (where a font draws 詞 at all: Wine
        // has none), and only under the title.
        const QImage simplified = Decoded(DrawnCover(u"華語", u"小明"));
        const QImage traditional =
            Decoded(DrawnCover(u"華語", u"小明", velmora::Script::Traditional));
        QVERIFY(simplified != traditional ||
                !QFontMetrics(QFont("WenQuanYi Micro Hei")).inFontUcs4(U'詞'));
        QCOMPARE(simplified.copy(0, 0, 1600, 1100), traditional.copy(0, 0, 1600, 1100));
        QCOMPARE(Decoded(NamedBookCover(u"流行金曲", u"小明", std::nullopt)).size(),
                 QSize(1600, 2560));
        const QString wide = Path(dir / "wide.jpg");
        Halves({400, 200}).save(wide);
        const QImage set = Decoded(NamedBookCover(u"流行金曲", u"小明", CoverJpeg(wide)));
        QCOMPARE(set.size(), QSize(1600, 2560));
        QVERIFY(!IsDrawnCover(NamedBookCover(u"流行金曲", u"小明", CoverJpeg(wide))));
        const auto red = [&](int x, int y) { return qRed(set.pixel(x, y)) > 200; };
        const auto blue = [&](int x, int y) { return qBlue(set.pixel(x, y)) > 200; };
        QVERIFY(red(220, 1140) && red(780, 1700) && blue(820, 1140) && blue(1380, 1700));
        QVERIFY(!red(500, 1110) && !red(500, 1740) && !blue(1100, 1110) && !blue(1100, 1740));
        for (const QSize size : {QSize(20, 30), QSize(30, 30)}) {
            const std::optional<std::string> kept = CoverJpeg(Image(dir / "t.jpg", size, "JPEG"));
            QCOMPARE(NamedBookCover(u"流行金曲", u"小明", kept), *kept);
        }
    }
};

QTEST_MAIN(CoverTest)
#include "cover_test.moc"
