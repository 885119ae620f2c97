#pragma once
// Songs set onto pages as a songbook sets them, from their measured heights alone: a stanza
// is never split when it fits on a page, a song that needs two pages starts on a left-hand
// (even) page so that it reads without turning, and the pages after a song's first carry its
// name as a running head.

#include <vector>

namespace velmora {

struct SongMeasure {
    double head = 0;  // the name, the artist and the credits, with the space under them
    std::vector<std::vector<double>> stanzas;  // each printed line's height, stanza by stanza
};

struct PageFrame {
    double body = 0;         // the height the text may fill
    double stanzaGap = 0;    // between two stanzas, and between songs that follow each other
    double runningHead = 0;  // the continued song's name at the top of its later pages
};

// A song's head (stanza -1), or lines [firstLine, endLine) of one of its stanzas, at y.
struct Placed {
    int song = 0;
    int stanza = -1;
    int firstLine = 0;
    int endLine = 0;
    double y = 0;
};

struct SongPage {
    std::vector<Placed> placed;
    int continues = -1;        // the song this page goes on with, or -1
    bool runningHead = false;  // its name on top: not on the right half of a two-page spread
};

struct Pagination {
    std::vector<SongPage> pages;  // a page left blank for a spread among them
    std::vector<int> starts;      // the page (index into pages) each song begins on
};

// `firstNumber`: the page number of the first page (odd: right-hand). With `newPages` each
// song starts on a page of its own; else songs follow each other, a song's head never alone
// at the foot of a page.
Pagination Paginate(const std::vector<SongMeasure>& songs, const PageFrame& frame, int firstNumber,
                    bool newPages);

// Entries of the given heights filled into pages of height `body`, the first page's text
// starting at `firstTop` (under its heading): the page (from 0) each entry is on.
std::vector<int> FillPages(const std::vector<double>& heights, double firstTop, double body);

// A saddle-stitched booklet's sheet sides in printing order (front, back, next sheet…), each
// as its left and right page (from 1; 0: a blank page added to make the count a multiple of
// four).
struct BookletSide {
    int left = 0;
    int right = 0;
    bool operator==(const BookletSide&) const = default;
};
std::vector<BookletSide> BookletSides(int pages);

}  // namespace velmora
