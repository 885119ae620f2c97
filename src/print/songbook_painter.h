#pragma once
// A laid-out songbook drawn onto paper: a PDF writer's or a printer's.

#include <QByteArray>
#include <QPagedPaintDevice>
#include <QString>

#include "print/songbook_layout.h"

namespace velmora {

// Every page whole and centred on the device's pages, scaled to them when they are another
// size; or, for a booklet, the pages two to a landscape sheet side in the order a
// saddle-stitched booklet folds. The device's pages are sized by the caller (PageLayoutOf).
void PaintSongbook(const PrintedBook& book, QPagedPaintDevice& device, bool booklet);

// The pages sized for a printer or a PDF: the book's page, or A4 across for a booklet.
QPageLayout PageLayoutOf(const PrintedBook& book, bool booklet);

struct PdfDetails {
    QString title;
    QString author;
    QString creator;
};

// The songbook as a PDF, its fonts embedded as subsets, with its title, author and creator.
QByteArray SongbookPdf(const PrintedBook& book, bool booklet, const PdfDetails& details);

}  // namespace velmora
