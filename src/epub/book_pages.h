#pragma once
// What a named book holds besides the default book's files, and where each page is: a title
// page, a contents page, an artist index when the songs have two artists or more, a style
// sheet, and its own page for each song.

#include <string>
#include <vector>

#include "epub/book_info.h"
#include "workspace/song_collection.h"

namespace velmora {

// A page the book shows before its songs, after the cover.
struct FrontPage {
    std::string id;
    std::string href;
};

inline constexpr char kStyleSheet[] = "style.css";
inline constexpr char kContentsPage[] = "contents.xhtml";
inline constexpr char kArtistIndexPage[] = "artists.xhtml";

// The title page, the contents, and the artist index when there is one, in reading order.
std::vector<FrontPage> FrontPages(const SongCollection& songs);

// Whether the songs have at least two artists between them: an index of one is no help.
bool HasArtistIndex(const SongCollection& songs);

// Song n's own page in a named book: "songs/0007.xhtml".
std::string NamedSongHref(int n);
// Song n's page in the book: the run's own page for the default book, its own for a named one.
std::string SongHref(const SongCollection& songs, int n, const BookInfo& book);

}  // namespace velmora
