#pragma once
// Books this program made, read back into their songs.

#include <functional>
#include <string_view>
#include <vector>

#include "import/lyric_file.h"

namespace velmora {

struct Book {
    std::u16string title;
    std::u16string author;  // empty when it names none
    std::string cover;      // cover.jpeg's bytes
    std::vector<Song> songs;
    std::u16string date;  // as written when it was made: local seconds, or a UTC time
};

// An EPUB this program made (its source and contributor say Velmora): its title, author and
// cover, and its songs in the book's order, names, artists, credits and lyrics as they went
// in. Raises a Failure with the reason for an archive that is broken or too large to be a
// lyric book, and for a book that is not one of ours. Nothing is written to disk, no entry is
// inflated past the size it declares or past the book's limit, and a spine longer than a book
// can be is refused before any page is read.
// `going`, when given, is asked between pages: when it says no, a Failure (Stopped) ends
// the reading.
Book ReadBook(std::string_view epub, const std::function<bool()>& going = {});

}  // namespace velmora
