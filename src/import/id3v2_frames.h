#pragma once
// The frames of an ID3v2 tag (.mp3, and before a FLAC's blocks), once TagLib has made them
// (id3v2_check.h bounds them first): read for the song's name, artist and lyric.

#include <taglib/id3v2tag.h>

#include "import/audio_file.h"

namespace velmora {

// TIT2, TPE1 and the lyric of the first USLT frame, else the lines of the first SYLT frame
// in time order. Text a frame calls Latin-1 is read as a lyric file's bytes are: Chinese
// taggers wrote GBK there.
AudioTags Id3v2Tags(const TagLib::ID3v2::Tag& tag);

}  // namespace velmora
