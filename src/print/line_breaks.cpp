#include "print/line_breaks.h"

#include <QTextBoundaryFinder>
#include <string_view>

namespace velmora {
namespace {

constexpr std::u16string_view kNoStart =
    u"，。、；：？！）」』》〉】〕〗〙〛｝］．…‥·・’”›»,.;:?!)]}%％〜～ー々ゝゞ";
constexpr std::u16string_view kNoEnd = u"（「『《〈【〔〖〘〚｛［“‘‹«([{";
// Two of these in a row are one mark: —— and …… are never split.
constexpr std::u16string_view kDoubled = u"—…";

bool In(std::u16string_view set, char16_t c) {
    return set.find(c) != std::u16string_view::npos;
}

}  // namespace

bool MayNotStartLine(char16_t c) {
    return In(kNoStart, c);
}

bool MayNotEndLine(char16_t c) {
    return In(kNoEnd, c);
}

bool MayBreakBetween(char16_t before, char16_t after) {
    return !MayNotStartLine(after) && !MayNotEndLine(before) &&
           !(before == after && In(kDoubled, after));
}

std::vector<qsizetype> LineBreaks(const QString& line) {
    std::vector<qsizetype> breaks;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, line);
    for (qsizetype at = finder.toNextBoundary(); at > 0 && at < line.size();
         at = finder.toNextBoundary()) {
        if (!(finder.boundaryReasons() & QTextBoundaryFinder::BreakOpportunity)) {
            continue;
        }
        if (MayBreakBetween(line[at - 1].unicode(), line[at].unicode())) {
            breaks.push_back(at);
        }
    }
    return breaks;
}

}  // namespace velmora
