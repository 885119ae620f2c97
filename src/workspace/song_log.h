#pragma once
// The song log lyric.txt in the work directory: one record per added song, ANSI text,
// written only.

#include <string>
#include <string_view>

namespace velmora {

class SongCollection;

// "<songno=n><songname=name><lyric=lyric></song no = n>" and CR LF, name and lyric as typed.
std::u16string SongLogRecord(int songNumber, std::u16string_view name, std::u16string_view lyric);

// The records of every song of the collection, in song order: the log of a run that added
// them one by one.
std::u16string SongLogOf(const SongCollection& songs);

}  // namespace velmora
