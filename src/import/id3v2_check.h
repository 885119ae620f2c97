#pragma once
// An ID3v2 tag (.mp3, and before a FLAC's blocks) walked as TagLib will walk it, before TagLib
// makes an object of each frame: what its frames would cost TagLib is counted and bounded, so
// that a hostile tag is refused in a moment instead of taking gigabytes or the stack.

#include <taglib/tbytevector.h>

namespace velmora {

// Every frame counted, those inside chapters and tables of contents too, each by what TagLib
// makes of its kind: the text of text, URL and comment frames (a string for each value
// between NULs), lyrics, timed lines and events; chapters nested at most a few deep.
// Raises Failure(AudioBroken) for a compressed frame or more frames than a real tag holds,
// Failure(TagTooLarge) past a kind's bound or a nesting too deep.
void CheckId3v2Frames(const TagLib::ByteVector& tag);

}  // namespace velmora
