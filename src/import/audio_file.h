#pragma once
// Songs from the tags of audio files, read through TagLib: ID3v2 lyrics (.mp3), Vorbis comments
// (.flac, .ogg, .opus), MP4 items (.m4a, .mp4) and APE tags (.ape, .wv). Only the tag is read,
// never the audio: a 2 GB file costs what its tag does.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "import/tag_extent.h"
#include "workspace/song.h"

namespace velmora {

// By the file's extension, in any case.
std::optional<AudioKind> AudioKindOf(const std::filesystem::path& file);

// What the tags say: empty where they say nothing. The name and artist on one line.
struct AudioTags {
    std::u16string name;
    std::u16string artist;
    std::u16string lyric;
};

// The tags held in the bytes: the lyric of the first ID3v2 USLT frame, else the lines of the
// first SYLT frame in time order; Vorbis LYRICS, else UNSYNCEDLYRICS; MP4 ©lyr; APE Lyrics.
// Text an ID3v2 frame calls Latin-1 is read as a lyric file's bytes are: Chinese players
// wrote GBK there. Raises the Failures of FindTag, and AudioBroken for a tag TagLib refuses.
AudioTags ReadAudioTags(ByteSource& bytes, AudioKind kind);

// The same from a file; Failure(NotRegularFile) for a device or FIFO, Unreadable with the
// errno when it cannot be read.
AudioTags AudioFileTags(const std::filesystem::path& file, AudioKind kind);

// The song of an audio file alone: its lyric as an .lrc's when it has time tags, else as
// text; the name and artist from the tags, else from the lyric's [ti:] and [ar:], else from
// the file's name. The lyric empty when the tags hold none. Failure(LyricTooLong) when the
// song would pass kLongestLyric, name and artist counted in.
Song SongFromTags(const AudioTags& tags, std::u16string_view fileName);

}  // namespace velmora
