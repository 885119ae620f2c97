#pragma once
// The songbook's type: its faces at the sizes the options give, its page and margins, and
// text set into lines and placed on pages in dots.

#include <QFontMetricsF>
#include <QString>
#include <vector>

#include "print/mixed_text.h"
#include "print/print_options.h"
#include "print/songbook_layout.h"

namespace velmora {

// A printed line: its runs, from the measure's left edge plus `indent`.
struct SetLine {
    std::vector<TextRun> runs;
    double indent = 0;
    double width = 0;
};

// Lines of one face, at the left edge or centred.
struct SetBlock {
    Face face = Face::Lyric;
    std::vector<SetLine> lines;
    bool centred = false;
};

class Typesetter {
public:
    // Sets the book's page size and faces.
    Typesetter(PrintedBook& book, const PrintOptions& options, const QString& family);

    double Margin() const { return margin_; }
    double Width() const { return width_; }
    double Body() const { return body_; }
    double Em(Face face) const;
    double LineHeight(Face face) const { return Em(face) * (face == Face::Lyric ? 1.55 : 1.35); }
    double Advance(const QString& text, Face face) const;

    // The text set into `width`, its lines after the first indented.
    std::vector<SetLine> Set(const QString& text, Face face, double width, double indent) const;
    // The text across the measure, its lines after the first 2 em in.
    SetBlock Block(const QString& text, Face face, bool centred) const;
    double Height(const SetBlock& block) const;

    // The line's runs onto the page, its top at y (from the page's top).
    void Emit(PrintedPage& page, const SetLine& line, Face face, double x, double y) const;
    void EmitBlock(PrintedPage& page, const SetBlock& block, double y) const;
    // A line or two, centred, its top at y.
    void Centred(PrintedPage& page, const QString& text, Face face, double y) const;
    // The page's number in its outer corner: odd pages are right-hand ones.
    void Number(PrintedPage& page, int number) const;

private:
    double Baseline(Face face) const;

    PrintedBook& book_;
    std::vector<QFontMetricsF> metrics_;
    double margin_ = 0;
    double width_ = 0;
    double body_ = 0;
};

}  // namespace velmora
