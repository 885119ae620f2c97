#include "print/pagination.h"

#include <numeric>

namespace velmora {
namespace {

double Sum(const std::vector<double>& heights) {
    return std::accumulate(heights.begin(), heights.end(), 0.0);
}

class Setter {
public:
    Setter(const PageFrame& frame, int firstNumber, bool spreads = true)
        : frame_(frame), firstNumber_(firstNumber), spreads_(spreads) {}

    Pagination& Result() { return out_; }

    void Song(const SongMeasure& song, bool newPages) {
        if (newPages) {
            if (out_.pages.empty() || !Fresh()) {
                NewPage(-1);
            }
            // A two-page song goes onto a spread: its first page a left-hand one.
            if (spreads_ && Number() % 2 == 1 && PagesOf(song, frame_) == 2) {
                NewPage(-1);
            }
        } else if (out_.pages.empty() ||
                   y_ + frame_.stanzaGap + song.head + FirstBlock(song) > frame_.body) {
            NewPage(-1);
        }
        const int s = static_cast<int>(out_.starts.size());
        out_.starts.push_back(static_cast<int>(out_.pages.size()) - 1);
        Put({s, -1, 0, 0, 0}, song.head, Gap());
        for (std::size_t k = 0; k < song.stanzas.size(); ++k) {
            Stanza(s, static_cast<int>(k), song.stanzas[k]);
        }
    }

    static int PagesOf(const SongMeasure& song, const PageFrame& frame) {
        Setter scratch(frame, 1, false);
        scratch.Song(song, true);
        return static_cast<int>(scratch.out_.pages.size());
    }

private:
    bool Fresh() const { return out_.pages.empty() || out_.pages.back().placed.empty(); }
    int Number() const { return firstNumber_ + static_cast<int>(out_.pages.size()) - 1; }
    // Space above what comes next: none at the top of a page or under a song's head.
    double Gap() const {
        return Fresh() || out_.pages.back().placed.back().stanza == -1 ? 0 : frame_.stanzaGap;
    }

    double FirstBlock(const SongMeasure& song) const {
        if (song.stanzas.empty()) {
            return 0;
        }
        const double whole = Sum(song.stanzas.front());
        return whole <= frame_.body - frame_.runningHead ? whole : song.stanzas.front().front();
    }

    void NewPage(int continues) {
        out_.pages.push_back({{}, continues, false});
        y_ = continues >= 0 ? frame_.runningHead : 0;
        if (continues >= 0) {
            // The right-hand page of a spread needs no name: the left one shows it.
            const int start = firstNumber_ + out_.starts[static_cast<std::size_t>(continues)];
            out_.pages.back().runningHead = !(start % 2 == 0 && Number() == start + 1);
        }
    }

    void Put(Placed placed, double height, double gap) {
        placed.y = y_ + gap;
        out_.pages.back().placed.push_back(placed);
        y_ += gap + height;
    }

    void Stanza(int s, int k, const std::vector<double>& lines) {
        const double whole = Sum(lines);
        const int count = static_cast<int>(lines.size());
        if (y_ + Gap() + whole <= frame_.body) {
            Put({s, k, 0, count, 0}, whole, Gap());
            return;
        }
        if (whole <= frame_.body - frame_.runningHead) {
            NewPage(s);
            Put({s, k, 0, count, 0}, whole, 0);
            return;
        }
        // Longer than a page: line by line, on a new page where one does not fit.
        int first = 0;
        double height = 0;
        double gap = Gap();
        for (int n = 0; n < count; ++n) {
            const double line = lines[static_cast<std::size_t>(n)];
            if (y_ + gap + height + line > frame_.body && (n > first || !Fresh())) {
                if (n > first) {
                    Put({s, k, first, n, 0}, height, gap);
                }
                NewPage(s);
                first = n;
                height = 0;
                gap = 0;
            }
            height += line;
        }
        Put({s, k, first, count, 0}, height, gap);
    }

    const PageFrame& frame_;
    int firstNumber_;
    bool spreads_;
    Pagination out_;
    double y_ = 0;
};

}  // namespace

Pagination Paginate(const std::vector<SongMeasure>& songs, const PageFrame& frame, int firstNumber,
                    bool newPages) {
    Setter setter(frame, firstNumber);
    for (const SongMeasure& song : songs) {
        setter.Song(song, newPages);
    }
    return std::move(setter.Result());
}

std::vector<int> FillPages(const std::vector<double>& heights, double firstTop, double body) {
    std::vector<int> pages;
    int page = 0;
    double y = firstTop;
    for (const double height : heights) {
        if (y + height > body && y > (page == 0 ? firstTop : 0)) {
            ++page;
            y = 0;
        }
        pages.push_back(page);
        y += height;
    }
    return pages;
}

std::vector<BookletSide> BookletSides(int pages) {
    const int padded = (pages + 3) / 4 * 4;
    const auto page = [pages](int n) { return n <= pages ? n : 0; };
    std::vector<BookletSide> sides;
    for (int sheet = 0; sheet < padded / 4; ++sheet) {
        sides.push_back({page(padded - 2 * sheet), page(2 * sheet + 1)});
        sides.push_back({page(2 * sheet + 2), page(padded - 2 * sheet - 1)});
    }
    return sides;
}

}  // namespace velmora
