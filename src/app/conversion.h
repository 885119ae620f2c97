#pragma once
// Every song converted to one script off the window's thread: OpenCC takes its time over
// thousands of long songs, and the window is painted and answers 取消 meanwhile.

#include <utility>
#include <vector>

#include "import/importer.h"
#include "text/script_conversion.h"
#include "workspace/song_collection.h"

// The songs whose name, artist, credits or lyric are not in that script yet, converted, each
// with its number. `progress` is told, from the calling thread, how many songs are done; a
// no from it stops the conversion (Failure(Stopped)). The songs are only read meanwhile,
// while the calling thread runs an event loop that takes no user input: nothing may change
// them until it returns. Raises a Failure (CannotConvert) when the
// conversion cannot be loaded.
std::vector<std::pair<int, velmora::Song>> Converted(const velmora::SongCollection& songs,
                                                     velmora::ScriptForm to,
                                                     velmora::ImportProgress& progress);
