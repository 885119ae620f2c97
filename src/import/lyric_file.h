#pragma once
// Lyric files as songs: .lrc files saved by music players, plain .txt lyrics.

#include <optional>
#include <string>
#include <string_view>

#include "workspace/song.h"

namespace velmora {

// A file's bytes as text: in the encoding its byte-order mark names, else UTF-8 when the
// bytes are valid UTF-8, else GB18030. Nothing when the bytes are no text: NUL bytes in a
// file that is not UTF-16 or UTF-32.
std::optional<std::u16string> DecodeLyricFile(std::string_view bytes);

// Every line end (CR LF, LF, CR) as CR LF.
std::u16string WithCrLf(std::u16string_view text);

// The lyric as a player shows it: ID tags ([ar:…], [offset:…], any [xx:…]) dropped, a line
// with several time tags once for each, every timed line in time order, word timings
// (<mm:ss.xx>) removed; untimed text lines stay after the line they followed. The name
// from [ti:…], else `fileName`.
Song SongFromLrc(std::u16string_view text, std::u16string_view fileName);

// The text as the lyric, leading and trailing blank lines dropped; the name is `fileName`.
Song SongFromText(std::u16string_view text, std::u16string_view fileName);

}  // namespace velmora
