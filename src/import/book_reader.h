#pragma once
// Books this program made, read back into their songs.

#include <string_view>
#include <vector>

#include "import/lyric_file.h"

namespace velmora {

// The songs of an EPUB this program made, in the book's order, names and lyrics as they
// went in. Raises a Failure with the reason for an archive that is broken or too large to
// be a lyric book, and for a book that is not one of ours. Nothing is written to disk, and
// no entry is inflated past the size it declares or past the book's limit.
std::vector<Song> ReadBook(std::string_view epub);

}  // namespace velmora
