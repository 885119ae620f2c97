#pragma once
// The artists of a book's songs in the order a Chinese reader looks them up: under the
// letter of their pinyin or their Latin name (陈奕迅 and Coldplay under C), by ICU's
// collation for Chinese.

#include <string>
#include <vector>

#include "workspace/song_collection.h"

namespace velmora {

struct IndexedArtist {
    std::u16string name;
    std::vector<int> songs;  // their numbers, in book order
};

struct IndexLetter {
    std::u16string letter;  // "A" to "Z", or "#" for names no letter takes
    std::vector<IndexedArtist> artists;
};

// Every artist once (songs without one are in no entry), the letters that have artists.
// Raises std::runtime_error when ICU has no data for the collation.
std::vector<IndexLetter> ArtistIndex(const SongCollection& songs);

}  // namespace velmora
