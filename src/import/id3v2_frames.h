#pragma once
// The frames of an ID3v2 tag (.mp3, and before a FLAC's blocks): walked first as TagLib walks
// them, so that a hostile tag is refused before TagLib makes an object of each frame, then
// read for the song's name, artist and lyric.

#include <taglib/id3v2tag.h>
#include <taglib/tbytevector.h>

#include "import/audio_file.h"

namespace velmora {

// The frames walked first as TagLib walks them, before it makes an object of each: a
// compressed frame (which it would inflate however far it goes) is refused, as are more
// frames, text or timed lines than a real tag holds. Raises Failure(AudioBroken) or
// Failure(TagTooLarge).
void CheckId3v2Frames(const TagLib::ByteVector& tag);

// TIT2, TPE1 and the lyric of the first USLT frame, else the lines of the first SYLT frame
// in time order. Text a frame calls Latin-1 is read as a lyric file's bytes are: Chinese
// taggers wrote GBK there.
AudioTags Id3v2Tags(const TagLib::ID3v2::Tag& tag);

}  // namespace velmora
