#pragma once
// The navigation document epub/toc.ncx (NCX): the book title and one point per song.

#include <string>
#include <string_view>

#include "epub/book_info.h"
#include "workspace/song_collection.h"
#include "workspace/workspace.h"

namespace velmora {

// The document's bytes, UTF-8 with a byte-order mark: the template's line (the book's own
// identifier in it), then the book's title and the navigation map labelled with the song
// names (XML-escaped). A book without songs gets one point, to its title page: an empty map
// is not a valid NCX.
std::string ComposeNavigationDocument(std::u16string_view templateLine, const SongCollection& songs,
                                      const BookInfo& book = {});

// A song's entry in the contents: its name, and its artist after it: 晴天（周杰伦）.
std::u16string EntryLabel(const Song& song);

// Composes it from the run's template and songs and writes it as UTF-8. Raises a Failure.
void WriteNavigationDocument(const Workspace& run, const BookInfo& book);

}  // namespace velmora
