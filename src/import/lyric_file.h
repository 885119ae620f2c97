#pragma once
// Lyric files as songs: .lrc files saved by music players, plain .txt lyrics.

#include <optional>
#include <string>
#include <string_view>

#include "workspace/song.h"

namespace velmora {

// Every line end (CR LF, LF, CR) as CR LF.
std::u16string WithCrLf(std::u16string_view text);

// What a file's name says of its song, as music players name them: a leading track number
// ("08 ", "08. ", "08-") dropped, then "歌手 - 歌名" split into artist and name; else the
// whole name is the song's.
Song SongFromFileName(std::u16string_view stem);

// The lyric as a player shows it: ID tags ([offset:…], any [xx:…]) dropped, a line with
// several time tags once for each, every timed line in time order, word timings (<mm:ss.xx>)
// removed; untimed text lines stay after the line they followed (at its first time); a time
// tag without text is a verse break, a blank line (one for several in a row). The name from
// [ti:…] and the artist from [ar:…], else what the file's name says. The credits at the top
// leave the lyric for the song's credits: a first line "歌名 - 歌手" (one side the song's
// name, or credit lines after it), then the lines "词：…", "作曲：…", "编曲：…", "制作人：…",
// "Lyrics: …", "Music: …" and the like. `otherName` is the name the song goes by when the
// text names none (an audio file's tag, a file name read later), for that first line only.
// Linear in the text's length; raises a Failure (LyricTooLong) when the lyric, its lines
// repeated for their time tags, would pass the limit.
Song SongFromLrc(std::u16string_view text, std::u16string_view fileName,
                 std::u16string_view otherName = {});

// Whether a line of the text starts with a time tag ([mm:ss.xx], after any ID tags): a lyric
// to read as an .lrc.
bool HasTimeTags(std::u16string_view text);

// The text as the lyric, leading and trailing blank lines dropped, its credits taken out as
// from an LRC file's; the name and artist what the file's name says.
Song SongFromText(std::u16string_view text, std::u16string_view fileName,
                  std::u16string_view otherName = {});

// The song with the credit lines at the top of its lyric (as SongFromText takes them, the
// title line too) taken out as its credits, after any it has; nothing when its lyric starts
// with none, or holds nothing besides them.
std::optional<Song> WithCreditsTakenOut(const Song& song);

}  // namespace velmora
