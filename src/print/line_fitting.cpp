#include "print/line_fitting.h"

#include <algorithm>

namespace velmora {
namespace {

// The last of `places` after `start` that ends a line of at most `room`, or none (0).
std::ptrdiff_t LastFitting(const std::vector<std::ptrdiff_t>& places, const std::vector<double>& x,
                           std::ptrdiff_t start, double room) {
    std::ptrdiff_t found = 0;
    auto at = std::upper_bound(places.begin(), places.end(), start);
    for (; at != places.end() &&
           x[static_cast<std::size_t>(*at)] - x[static_cast<std::size_t>(start)] <= room;
         ++at) {
        found = *at;
    }
    return found;
}

}  // namespace

std::vector<std::ptrdiff_t> FitLine(const LineMeasure& line, double width, double indent) {
    const auto end = static_cast<std::ptrdiff_t>(line.x.size()) - 1;
    std::vector<std::ptrdiff_t> starts{0};
    for (std::ptrdiff_t start = 0;;) {
        const double room = start == 0 ? width : width - indent;
        if (line.x.back() - line.x[static_cast<std::size_t>(start)] <= room) {
            return starts;
        }
        std::ptrdiff_t next = LastFitting(line.breaks, line.x, start, room);
        if (next == 0) {
            next = LastFitting(line.characters, line.x, start, room);
        }
        if (next == 0) {
            // Not one character fits: it goes alone onto its line.
            const auto after =
                std::upper_bound(line.characters.begin(), line.characters.end(), start);
            next = after == line.characters.end() ? end : *after;
        }
        if (next >= end) {
            return starts;
        }
        starts.push_back(next);
        start = next;
    }
}

}  // namespace velmora
