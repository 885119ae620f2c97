#pragma once
// Where a printed lyric line may break, as Chinese is set (W3C clreq): Unicode's line-break
// opportunities (a Latin word stays whole), less those before a mark that may not begin a
// line, after one that may not end it, and inside "——" and "……".

#include <QString>
#include <vector>

namespace velmora {

// ，。、；：？！）」』》〉】… and their ASCII and full-width forms, closing quotes among them.
bool MayNotStartLine(char16_t c);
// （「『《〈【“‘ and their ASCII and full-width forms.
bool MayNotEndLine(char16_t c);

// Whether a line may end after `before` and the next begin with `after`, where Unicode's
// rules allow it: not before a closing mark, not after an opening one, not inside —— or ……
bool MayBreakBetween(char16_t before, char16_t after);

// The offsets (UTF-16, ascending, each inside the line) before which a new line may start.
std::vector<qsizetype> LineBreaks(const QString& line);

}  // namespace velmora
