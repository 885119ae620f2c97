#pragma once
// A lyric line set into a measure: where each printed line starts, the first at the full
// width and those after it indented (a hanging indent).

#include <cstddef>
#include <vector>

namespace velmora {

struct LineMeasure {
    // x[i]: where character offset i begins, x[0] = 0 and x.back() the line's width.
    std::vector<double> x;
    // Where a new line may start (ascending, inside the line).
    std::vector<std::ptrdiff_t> breaks;
    // Where a line may be cut when no break fits: every character's start (ascending).
    std::vector<std::ptrdiff_t> characters;
};

// The offsets at which the printed lines start, 0 first: each line ends at the last break
// that fits, or, when even the first does not, at the last character that does (always one
// at least), so that nothing runs past the measure that could be kept in it.
std::vector<std::ptrdiff_t> FitLine(const LineMeasure& line, double width, double indent);

}  // namespace velmora
