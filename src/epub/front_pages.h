#pragma once
// The pages a named book opens with, in the book's own words: the cover, the title page,
// the contents and the artist index.

#include <cstdint>
#include <string>

#include "epub/book_info.h"
#include "workspace/song_collection.h"

namespace velmora {

// The cover image whole on the screen, its aspect kept, in any paged reader: an SVG frame of
// the image's own size, as calibre's covers have. Each page speaks the book's script.
std::string ComposeCoverPage(int width, int height, Script script);

// The title, the author, "共 12 首" and the day of the build ("2026年12月8日", from local
// seconds).
std::string ComposeTitlePage(const BookInfo& book, int songCount, std::int64_t localSeconds);

// "目录": each song in book order, a link to its page, with its artist: 晴天 · 周杰伦.
std::string ComposeContentsPage(const SongCollection& songs, Script script);

// "歌手索引": under each letter its artists, each with links to its songs.
std::string ComposeArtistIndexPage(const SongCollection& songs, Script script);

}  // namespace velmora
