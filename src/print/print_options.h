#pragma once
// How a songbook is printed: the paper, the margins, the lyric's size, whether each song
// starts a page, and whether the pages are imposed as a booklet.

namespace velmora {

enum class Paper { A5, B5, A4, Letter };

struct PrintOptions {
    Paper paper = Paper::A5;
    double marginMm = 15;
    double lyricPoints = 11;
    bool newPages = true;
    // A5 pages two to an A4 sheet, folded and stitched: the paper is A5 whatever was chosen.
    bool booklet = false;
    bool operator==(const PrintOptions&) const = default;
};

}  // namespace velmora
