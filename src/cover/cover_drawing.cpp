#include "cover/cover_drawing.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QTextLayout>

namespace {

// The built-in cover's design (scripts/art/make-cover.sh), drawn on a 1600×2560 page.
const QSize kSize(1600, 2560);
const QColor kGold(0xc9, 0xa4, 0x5c);
const QColor kPaper(0xf4, 0xec, 0xd8);
const QColor kMist(0x9a, 0xa6, 0xc0);
constexpr int kTitlePixels = 200;
constexpr int kMostTitleLines = 3;
constexpr int kWrapPixels = 120;
constexpr int kAuthorPixels = 64;
constexpr int kQuality = 88;
const QString kMark = QStringLiteral("Velmora drawn cover");
const QString kMarkKey = QStringLiteral("Description");

// Where the parts go: with a photo the title moves up to make room for it below.
struct Design {
    QRectF title;
    QRectF photo;  // empty: none
    int rule;      // the gold line's top; "歌词本" and the author follow it
};
const Design kPlain{{213, 780, 1174, 560}, {}, 1440};
const Design kWithPhoto{{213, 250, 1174, 520}, {207, 830, 1186, 1186}, 2090};

QFont CoverFont(int pixels) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixels);
    return font;
}

// The title laid out in the area at the largest size that fits it on one line, or, below
// 120 pixels, in three; at the smallest, every title fits.
void LayOut(QTextLayout& layout, const QRectF& area) {
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    for (int pixels = kTitlePixels; pixels >= 1; pixels -= pixels > 40 ? 8 : 1) {
        layout.setFont(CoverFont(pixels));
        layout.beginLayout();
        qreal height = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            line.setPosition({0, height});
            height += line.height();
        }
        layout.endLayout();
        // One line while the letters stay large; past that, as many as it takes.
        const bool fits = layout.lineCount() == 1 ||
                          (pixels <= kWrapPixels && layout.lineCount() <= kMostTitleLines);
        if ((fits && height <= area.height()) || pixels == 1) {
            return;
        }
    }
}

void DrawTitle(QPainter& painter, const QString& title, const QRectF& area) {
    QTextLayout layout(title);
    LayOut(layout, area);
    const qreal height = layout.boundingRect().height();
    painter.setPen(kPaper);
    layout.draw(&painter, {area.left(), area.center().y() - height / 2});
}

void DrawAuthor(QPainter& painter, const QString& author, int top) {
    const QRect area(160, top, 1280, 160);
    int pixels = kAuthorPixels;
    while (pixels > 20 &&
           QFontMetrics(CoverFont(pixels)).horizontalAdvance(author) > area.width()) {
        --pixels;
    }
    const QFont font = CoverFont(pixels);
    painter.setFont(font);
    painter.setPen(kMist);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop,
                     QFontMetrics(font).elidedText(author, Qt::ElideMiddle, area.width()));
}

void DrawFrame(QPainter& painter) {
    QLinearGradient sky(0, 0, 0, kSize.height());
    sky.setColorAt(0, QColor(0x1d, 0x2b, 0x4c));
    sky.setColorAt(1, QColor(0x0e, 0x15, 0x26));
    painter.fillRect(QRect({}, kSize), sky);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kGold, 8));
    painter.drawRect(107, 107, 1386, 2346);
    painter.setPen(QPen(kGold, 3));
    painter.drawRect(139, 139, 1322, 2282);
}

// The photo scaled to fit its area, its aspect kept, in the middle of it.
void DrawPhoto(QPainter& painter, const QImage& photo, const QRectF& area) {
    const QSizeF size = QSizeF(photo.size()).scaled(area.size(), Qt::KeepAspectRatio);
    QRectF place({}, size);
    place.moveCenter(area.center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(place, photo);
}

QImage Drawn(const std::u16string& title, const std::u16string& author, const QImage& photo,
             velmora::Script script) {
    const Design& design = photo.isNull() ? kPlain : kWithPhoto;
    QImage cover(kSize, QImage::Format_RGB32);
    QPainter painter(&cover);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    DrawFrame(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGold);
    if (photo.isNull()) {
        painter.drawEllipse(QPointF(800, 640), 32, 32);
    } else {
        DrawPhoto(painter, photo, design.photo);
    }
    painter.setPen(Qt::NoPen);
    painter.drawRect(400, design.rule, 800, 5);
    DrawTitle(painter, QString::fromStdU16String(title), design.title);
    painter.setFont(CoverFont(80));
    painter.setPen(kGold);
    painter.drawText(QRect(0, design.rule + 30, kSize.width(), 120), Qt::AlignCenter,
                     script == velmora::Script::Traditional ? QStringLiteral("歌詞本")
                                                            : QStringLiteral("歌词本"));
    DrawAuthor(painter, QString::fromStdU16String(author), photo.isNull() ? 2080 : 2250);
    painter.end();
    return cover;
}

std::string Jpeg(const QImage& cover) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(kQuality);
    // An image in memory: a failure here is a bug, not a disk's.
    if (!writer.write(cover)) {
        throw std::runtime_error(writer.errorString().toStdString());
    }
    return jpeg.toStdString();
}

QImage Decoded(const std::string& jpeg) {
    return QImage::fromData(
        QByteArray::fromRawData(jpeg.data(), static_cast<qsizetype>(jpeg.size())));
}

}  // namespace

std::string DrawnCover(const std::u16string& title, const std::u16string& author,
                       velmora::Script script) {
    QImage cover = Drawn(title, author, {}, script);
    cover.setText(kMarkKey, kMark);
    return Jpeg(cover);
}

bool IsDrawnCover(const std::string& jpeg) {
    return Decoded(jpeg).text(kMarkKey) == kMark;
}

std::string CoverWithPhoto(const std::u16string& title, const std::u16string& author,
                           const QImage& photo, velmora::Script script) {
    return Jpeg(Drawn(title, author, photo, script));
}

std::string NamedBookCover(const std::u16string& title, const std::u16string& author,
                           const std::optional<std::string>& chosen, velmora::Script script) {
    if (!chosen) {
        return DrawnCover(title, author, script);
    }
    const QImage photo = Decoded(*chosen);
    return photo.width() > photo.height() ? CoverWithPhoto(title, author, photo, script) : *chosen;
}
