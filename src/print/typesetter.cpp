#include "print/typesetter.h"

#include <QPageSize>
#include <algorithm>

#include "print/line_fitting.h"

namespace velmora {
namespace {

std::size_t At(Face face) {
    return static_cast<std::size_t>(face);
}

QSizeF PaperDots(Paper paper) {
    static constexpr QPageSize::PageSizeId kIds[] = {QPageSize::A5, QPageSize::B5, QPageSize::A4,
                                                     QPageSize::Letter};
    const QSizeF mm = QPageSize(kIds[static_cast<int>(paper)]).size(QPageSize::Millimeter);
    return {MillimetresToDots(mm.width()), MillimetresToDots(mm.height())};
}

}  // namespace

Typesetter::Typesetter(PrintedBook& book, const PrintOptions& options, const QString& family)
    : book_(book) {
    book_.page = PaperDots(options.booklet ? Paper::A5 : options.paper);
    margin_ = MillimetresToDots(options.marginMm);
    width_ = book_.page.width() - 2 * margin_;
    body_ = book_.page.height() - 2 * margin_;
    const double lyric = options.lyricPoints;
    const std::pair<Face, double> sizes[] = {
        {Face::Title, 2.2 * lyric},  {Face::Author, 1.3 * lyric}, {Face::Heading, 1.45 * lyric},
        {Face::Letter, 1.2 * lyric}, {Face::Artist, 1.0 * lyric}, {Face::Credits, 0.85 * lyric},
        {Face::Lyric, lyric},        {Face::Small, 0.8 * lyric}};
    for (const auto& [face, points] : sizes) {
        QFont font(family);
        font.setPixelSize(std::max(1, static_cast<int>(Dots(points) + 0.5)));
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setBold(face == Face::Title || face == Face::Heading || face == Face::Letter);
        book_.faces[At(face)] = font;
        metrics_.emplace_back(font);  // in the faces' order
    }
}

double Typesetter::Em(Face face) const {
    return book_.faces[At(face)].pixelSize();
}

double Typesetter::Advance(const QString& text, Face face) const {
    return metrics_[At(face)].horizontalAdvance(text);
}

std::vector<SetLine> Typesetter::Set(const QString& text, Face face, double width,
                                     double indent) const {
    const MeasuredLine measured = MeasureLine(text, book_.faces[At(face)]);
    const std::vector<std::ptrdiff_t> starts = FitLine(measured.measure, width, indent);
    std::vector<SetLine> lines;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const auto from = starts[k];
        const auto to = k + 1 < starts.size() ? starts[k + 1] : text.size();
        const auto& x = measured.measure.x;
        lines.push_back({RunsOf(text, measured, from, to), k == 0 ? 0 : indent,
                         x[static_cast<std::size_t>(to)] - x[static_cast<std::size_t>(from)]});
    }
    return lines;
}

SetBlock Typesetter::Block(const QString& text, Face face, bool centred) const {
    return {face, Set(text, face, width_, 2 * Em(face)), centred};
}

double Typesetter::Height(const SetBlock& block) const {
    return LineHeight(block.face) * static_cast<double>(block.lines.size());
}

void Typesetter::Emit(PrintedPage& page, const SetLine& line, Face face, double x, double y) const {
    for (const TextRun& run : line.runs) {
        page.texts.push_back({{x + line.indent + run.x, y + Baseline(face)}, run.text, face});
    }
}

void Typesetter::EmitBlock(PrintedPage& page, const SetBlock& block, double y) const {
    for (const SetLine& line : block.lines) {
        const double x = margin_ + (block.centred ? (width_ - line.width - line.indent) / 2 : 0);
        Emit(page, line, block.face, x, y);
        y += LineHeight(block.face);
    }
}

void Typesetter::Centred(PrintedPage& page, const QString& text, Face face, double y) const {
    EmitBlock(page, Block(text, face, true), y);
}

void Typesetter::Number(PrintedPage& page, int number) const {
    const QString text = QString::number(number);
    const double x = number % 2 == 1 ? margin_ + width_ - Advance(text, Face::Small) : margin_;
    page.texts.push_back({{x, book_.page.height() - margin_ / 2}, text, Face::Small});
}

double Typesetter::Baseline(Face face) const {
    return (LineHeight(face) - metrics_[At(face)].height()) / 2 + metrics_[At(face)].ascent();
}

}  // namespace velmora
