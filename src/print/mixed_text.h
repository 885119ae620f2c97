#pragma once
// A line of mixed Chinese and Latin text as a reader expects it set: a quarter em between a
// Han character and a Latin letter or digit that touch, where the text has no space of its
// own (W3C clreq 3.2).

#include <QFont>
#include <QString>
#include <vector>

#include "print/line_fitting.h"

namespace velmora {

// Where each character starts once measured in `font` (the quarter ems in), the places the
// line may break, the characters it may be cut at, and the quarter ems' places.
struct MeasuredLine {
    LineMeasure measure;
    std::vector<qsizetype> gaps;
};
MeasuredLine MeasureLine(const QString& text, const QFont& font);

// Pieces of text[from, to) to be drawn one by one: each with its x from the start of the
// printed line, the quarter ems falling between them.
struct TextRun {
    double x = 0;
    QString text;
};
std::vector<TextRun> RunsOf(const QString& text, const MeasuredLine& line, qsizetype from,
                            qsizetype to);

}  // namespace velmora
