#include "print/mixed_text.h"

#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <algorithm>

#include "print/line_breaks.h"

namespace velmora {
namespace {

enum class Kind { Han, Latin, Other };

Kind KindOf(char32_t c) {
    if (QChar::script(c) == QChar::Script_Han) {
        return Kind::Han;
    }
    if ((c >= u'0' && c <= u'9') || QChar::script(c) == QChar::Script_Latin) {
        return Kind::Latin;
    }
    return Kind::Other;
}

char32_t CodePointBefore(const QString& text, qsizetype at) {
    const QChar last = text[at - 1];
    if (last.isLowSurrogate() && at >= 2 && text[at - 2].isHighSurrogate()) {
        return QChar::surrogateToUcs4(text[at - 2], last);
    }
    return last.unicode();
}

char32_t CodePointAt(const QString& text, qsizetype at) {
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
        return QChar::surrogateToUcs4(text[at], text[at + 1]);
    }
    return text[at].unicode();
}

// Offsets where a Han character and a Latin one touch.
std::vector<qsizetype> Gaps(const QString& text, const std::vector<std::ptrdiff_t>& characters) {
    std::vector<qsizetype> gaps;
    for (const std::ptrdiff_t at : characters) {
        const Kind before = KindOf(CodePointBefore(text, at));
        const Kind after = KindOf(CodePointAt(text, at));
        if (before != after && before != Kind::Other && after != Kind::Other) {
            gaps.push_back(at);
        }
    }
    return gaps;
}

std::vector<std::ptrdiff_t> Characters(const QString& text) {
    std::vector<std::ptrdiff_t> characters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0 && at < text.size();
         at = finder.toNextBoundary()) {
        characters.push_back(at);
    }
    return characters;
}

}  // namespace

MeasuredLine MeasureLine(const QString& text, const QFont& font) {
    MeasuredLine line;
    LineMeasure& measure = line.measure;
    measure.characters = Characters(text);
    for (const qsizetype at : LineBreaks(text)) {
        measure.breaks.push_back(at);
    }
    line.gaps = Gaps(text, measure.characters);
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine set = layout.createLine();
    set.setLineWidth(1e6);
    layout.endLayout();
    const double gap = font.pixelSize() / 12.0;
    measure.x.assign(static_cast<std::size_t>(text.size()) + 1, 0);
    std::size_t gaps = 0;
    qsizetype last = 0;
    const auto place = [&](qsizetype at) {
        while (gaps < line.gaps.size() && line.gaps[gaps] <= at) {
            ++gaps;
        }
        for (qsizetype i = last + 1; i < at; ++i) {  // inside a character: where it starts
            measure.x[static_cast<std::size_t>(i)] = measure.x[static_cast<std::size_t>(last)];
        }
        measure.x[static_cast<std::size_t>(at)] =
            set.cursorToX(static_cast<int>(at)) + gap * static_cast<double>(gaps);
        last = at;
    };
    for (const std::ptrdiff_t at : measure.characters) {
        place(at);
    }
    if (!text.isEmpty()) {
        place(text.size());
    }
    return line;
}

std::vector<TextRun> RunsOf(const QString& text, const MeasuredLine& line, qsizetype from,
                            qsizetype to) {
    std::vector<TextRun> runs;
    const std::vector<double>& x = line.measure.x;
    qsizetype start = from;
    auto gap = std::upper_bound(line.gaps.begin(), line.gaps.end(), from);
    for (; gap != line.gaps.end() && *gap < to; ++gap) {
        runs.push_back({x[static_cast<std::size_t>(start)] - x[static_cast<std::size_t>(from)],
                        text.mid(start, *gap - start)});
        start = *gap;
    }
    runs.push_back({x[static_cast<std::size_t>(start)] - x[static_cast<std::size_t>(from)],
                    text.mid(start, to - start)});
    return runs;
}

}  // namespace velmora
