#include "cover_drawing.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QTextLayout>

namespace {

// The built-in cover's design (scripts/art/make-cover.sh), in pixels of its 600×800.
const QSize kSize(600, 800);
const QColor kGold(0xc9, 0xa4, 0x5c);
const QColor kPaper(0xf4, 0xec, 0xd8);
const QColor kMist(0x9a, 0xa6, 0xc0);
const QRectF kTitleArea(80, 256, 440, 200);
const QRect kAuthorArea(60, 650, 480, 60);
constexpr int kTitlePixels = 76;
constexpr int kMostTitleLines = 3;
constexpr int kAuthorPixels = 22;
constexpr int kQuality = 88;
const QString kMark = QStringLiteral("Velmora drawn cover");
const QString kMarkKey = QStringLiteral("Description");

QFont CoverFont(int pixels) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixels);
    return font;
}

// The title laid out in the area at the largest size that fits it in three lines; at the
// smallest, every title fits.
void LayOut(QTextLayout& layout) {
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    for (int pixels = kTitlePixels; pixels >= 1; pixels -= pixels > 20 ? 4 : 1) {
        layout.setFont(CoverFont(pixels));
        layout.beginLayout();
        qreal height = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(kTitleArea.width());
            line.setPosition({0, height});
            height += line.height();
        }
        layout.endLayout();
        if ((layout.lineCount() <= kMostTitleLines && height <= kTitleArea.height()) ||
            pixels == 1) {
            return;
        }
    }
}

void DrawTitle(QPainter& painter, const QString& title) {
    QTextLayout layout(title);
    LayOut(layout);
    const qreal height = layout.boundingRect().height();
    painter.setPen(kPaper);
    layout.draw(&painter, {kTitleArea.left(), kTitleArea.center().y() - height / 2});
}

void DrawAuthor(QPainter& painter, const QString& author) {
    int pixels = kAuthorPixels;
    while (pixels > 8 &&
           QFontMetrics(CoverFont(pixels)).horizontalAdvance(author) > kAuthorArea.width()) {
        --pixels;
    }
    const QFont font = CoverFont(pixels);
    painter.setFont(font);
    painter.setPen(kMist);
    painter.drawText(kAuthorArea, Qt::AlignHCenter | Qt::AlignBottom,
                     QFontMetrics(font).elidedText(author, Qt::ElideMiddle, kAuthorArea.width()));
}

}  // namespace

std::string DrawnCover(const std::u16string& title, const std::u16string& author) {
    QImage cover(kSize, QImage::Format_RGB32);
    QPainter painter(&cover);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QLinearGradient sky(0, 0, 0, kSize.height());
    sky.setColorAt(0, QColor(0x1d, 0x2b, 0x4c));
    sky.setColorAt(1, QColor(0x0e, 0x15, 0x26));
    painter.fillRect(cover.rect(), sky);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kGold, 3));
    painter.drawRect(40, 40, 520, 720);
    painter.setPen(QPen(kGold, 1));
    painter.drawRect(52, 52, 496, 696);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGold);
    painter.drawEllipse(QPointF(300, 230), 12, 12);
    painter.drawRect(150, 470, 300, 2);
    DrawTitle(painter, QString::fromStdU16String(title));
    painter.setFont(CoverFont(26));
    painter.setPen(kGold);
    painter.drawText(QRect(0, 490, kSize.width(), 40), Qt::AlignCenter,
                     QStringLiteral("LYRIC BOOK"));
    DrawAuthor(painter, QString::fromStdU16String(author));
    painter.end();
    cover.setText(kMarkKey, kMark);
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

bool IsDrawnCover(const std::string& jpeg) {
    return QImage::fromData(
               QByteArray::fromRawData(jpeg.data(), static_cast<qsizetype>(jpeg.size())))
               .text(kMarkKey) == kMark;
}
