#pragma once
// The song log lyric.txt: a journal of the run, one record for each change of the songs,
// in the ANSI code page, each ending in CR LF. Replayed from the start it gives exactly the
// run's songs, whatever their names and lyrics hold.
//
// A name or lyric without "<" or ">" is written as typed; a record where either holds one
// states the byte length of each instead, so that nothing in a text can read as the end of
// it or as another record. Changes that belong together (an import, a restore) are framed
// by a begin and an end record: replayed, they count only when the end is there
// (journal_replay.h reads it back).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "workspace/journal_replay.h"
#include "workspace/song.h"

namespace velmora {

class SongCollection;

// Song n added, the songs from place n on moving down:
// "<songno=n><songname=NAME><lyric=LYRIC></song no = n>", or, sized,
// "<songno=n><songname size=A>NAME<lyric size=B>LYRIC</song no = n>"; a song with an artist
// has "<artist=ARTIST>" (or "<artist size=C>ARTIST") after its name, and one with credits
// "<credits=CREDITS>" (or "<credits size=D>CREDITS") after that.
std::string AddRecord(int n, const Song& song);
// Song n now has this name and lyric: as above with "edit" for "song".
std::string EditRecord(int n, const Song& song);
// Song n removed, the songs after it moving up: "<removeno=n></remove no = n>".
std::string RemoveRecord(int n);
// Song n moved to place m: "<moveno=n><to=m></move no = n>".
std::string MoveRecord(int n, int to);
// The changes between "<beginno=k></begin no = k>" and "<endno=k></end no = k>" are one.
std::string BeginRecord(int group);
std::string EndRecord(int group);

// The records of every song of the collection, in song order: the log of a run that added
// them one by one.
std::string JournalOf(const SongCollection& songs);

}  // namespace velmora
