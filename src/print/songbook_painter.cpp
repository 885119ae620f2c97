#include "print/songbook_painter.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "print/pagination.h"
#include "print/pdf_info.h"

namespace velmora {
namespace {

void PaintPage(QPainter& painter, const PrintedBook& book, const PrintedPage& page) {
    if (page.cover && !book.cover.isNull()) {
        QSizeF size = book.cover.size();
        size.scale(book.page, Qt::KeepAspectRatio);
        const QPointF corner((book.page.width() - size.width()) / 2,
                             (book.page.height() - size.height()) / 2);
        painter.drawImage(QRectF(corner, size), book.cover);
    }
    Face face = Face::kCount;
    for (const PrintedText& text : page.texts) {
        if (text.face != face) {
            face = text.face;
            painter.setFont(book.faces[static_cast<std::size_t>(face)]);
        }
        painter.drawText(text.at, text.text);
    }
    if (page.leaders.empty()) {
        return;
    }
    const double em = book.faces[static_cast<std::size_t>(Face::Lyric)].pixelSize();
    QPen dots(Qt::black, em * 0.1, Qt::CustomDashLine, Qt::RoundCap);
    dots.setDashPattern({0.01, 3.5});
    painter.setPen(dots);
    for (const PrintedLeader& leader : page.leaders) {
        if (leader.to > leader.from.x()) {
            painter.drawLine(leader.from, QPointF(leader.to, leader.from.y()));
        }
    }
    painter.setPen(Qt::black);
}

// The painter's units made dots, the sheet (of `dots` size) centred on the device's page.
void FitSheet(QPainter& painter, QPagedPaintDevice& device, QSizeF dots) {
    painter.resetTransform();
    const double scale = std::min(device.width() / dots.width(), device.height() / dots.height());
    painter.translate((device.width() - dots.width() * scale) / 2,
                      (device.height() - dots.height() * scale) / 2);
    painter.scale(scale, scale);
}

}  // namespace

QPageLayout PageLayoutOf(const PrintedBook& book, bool booklet) {
    if (booklet) {
        return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, {});
    }
    const QSizeF points = book.page * 72 / kDotsPerInch;
    return QPageLayout(QPageSize(points, QPageSize::Point, {}, QPageSize::FuzzyOrientationMatch),
                       QPageLayout::Portrait, {});
}

void PaintSongbook(const PrintedBook& book, QPagedPaintDevice& device, bool booklet) {
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!booklet) {
        for (std::size_t n = 0; n < book.pages.size(); ++n) {
            if (n > 0) {
                device.newPage();
            }
            FitSheet(painter, device, book.page);
            PaintPage(painter, book, book.pages[n]);
        }
        return;
    }
    const std::vector<BookletSide> sides = BookletSides(static_cast<int>(book.pages.size()));
    for (std::size_t n = 0; n < sides.size(); ++n) {
        if (n > 0) {
            device.newPage();
        }
        FitSheet(painter, device, QSizeF(book.page.width() * 2, book.page.height()));
        for (const int page : {sides[n].left, sides[n].right}) {
            if (page > 0) {
                PaintPage(painter, book, book.pages[static_cast<std::size_t>(page - 1)]);
            }
            painter.translate(book.page.width(), 0);
        }
    }
}

QByteArray SongbookPdf(const PrintedBook& book, bool booklet, const PdfDetails& details) {
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(details.title);
        writer.setCreator(details.creator);
        writer.setPageLayout(PageLayoutOf(book, booklet));
        PaintSongbook(book, writer, booklet);
    }
    return WithAuthor(pdf, details.author);
}

}  // namespace velmora
