#pragma once
// The song log lyric.txt in the work directory: one record per added song, ANSI text,
// written only.

#include <string>
#include <string_view>

namespace velmora {

class SongCollection;

// The log is a journal: one record for each change of the collection, each a printed
// line (CR LF at its end), names and lyrics as typed, so that replaying it gives the songs.

// Song n added: "<songno=n><songname=name><lyric=lyric></song no = n>".
std::u16string SongLogRecord(int songNumber, std::u16string_view name, std::u16string_view lyric);
// Song n now has this name and lyric: "<editno=n><songname=name><lyric=lyric></edit no = n>".
std::u16string EditLogRecord(int songNumber, std::u16string_view name, std::u16string_view lyric);
// Song n removed, the songs after it moved up: "<removeno=n></remove no = n>".
std::u16string RemoveLogRecord(int songNumber);
// Song n moved to place m: "<moveno=n><to=m></move no = n>".
std::u16string MoveLogRecord(int songNumber, int place);

// The records of every song of the collection, in song order: the log of a run that added
// them one by one.
std::u16string SongLogOf(const SongCollection& songs);

}  // namespace velmora
