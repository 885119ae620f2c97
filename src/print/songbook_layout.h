#pragma once
// A songbook laid out for paper, once for the PDF and the printer alike: the cover, the title
// page, 目录 with the page each song starts on, the songs set as a songbook sets them, and
// 歌手索引. Everything is placed in dots (1/720 inch) on pages of the paper's size.

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "epub/book_info.h"
#include "print/print_options.h"

namespace velmora {

class SongCollection;

inline constexpr double kDotsPerInch = 720;

struct Songbook {
    BookInfo book;
    const SongCollection& songs;
    std::string coverJpeg;  // the book's own cover
    std::int64_t localSeconds = 0;
};

enum class Face { Title, Author, Heading, Letter, Artist, Credits, Lyric, Small, kCount };

// A run of text, its baseline's left end at `at`.
struct PrintedText {
    QPointF at;
    QString text;
    Face face = Face::Lyric;
};

// Dots leading from one x to another along a baseline.
struct PrintedLeader {
    QPointF from;
    double to = 0;
};

struct PrintedPage {
    bool cover = false;
    std::vector<PrintedText> texts;
    std::vector<PrintedLeader> leaders;
};

struct PrintedBook {
    QSizeF page;  // dots
    std::array<QFont, static_cast<std::size_t>(Face::kCount)> faces;
    QImage cover;
    std::vector<PrintedPage> pages;
    std::vector<int> songPages;  // the page number (from 1) each song starts on
};

// `family`: a font with Chinese, found by ChineseFontFamily.
PrintedBook LayOutSongbook(const Songbook& songbook, const PrintOptions& options,
                           const QString& family);

// Points to dots, and millimetres.
double Dots(double points);
double MillimetresToDots(double millimetres);

}  // namespace velmora
