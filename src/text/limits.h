#pragma once
// The program's limits, each in one place.

#include <cstddef>
#include <cstdint>

namespace velmora {

// Songs in a run, and in a book brought in: page names have four digits.
inline constexpr int kMaxSongs = 9999;
// A book, read whole, and everything its archive unpacks to: a lyric book of 9,999 long
// songs stays well below this.
inline constexpr std::uint64_t kLargestBook = 256 * 1024 * 1024;
// A lyric file (.lrc, .txt) brought in; and a song's name, artist, credits or lyric, typed,
// brought in or brought back (in UTF-16 units; a lyric file's once a line with several time
// tags is there once for each).
inline constexpr std::uint64_t kLargestLyricFile = 1024 * 1024;
inline constexpr std::size_t kLongestLyric = 1024 * 1024;
// An audio file's tag, read whole (never the audio): room for a lyric and a large cover, and
// TagLib's strings of its text (four bytes a character) still well below 300 MiB.
inline constexpr std::uint64_t kLargestAudioTag = 16 * 1024 * 1024;
// A cover image file, and the pixels of one that is not a JPEG (decoded at full size).
inline constexpr std::uint64_t kLargestCoverFile = 512 * 1024 * 1024;
inline constexpr std::uint64_t kMostCoverPixels = 200'000'000;
// The cover in the book: its longer side, and the largest JPEG that goes in as it is.
inline constexpr int kCoverSide = 2560;
inline constexpr std::uint64_t kLargestKeptJpeg = 5 * 1024 * 1024;
// A template file.
inline constexpr std::uint64_t kLargestTemplate = 16 * 1024 * 1024;
// A text file loaded through the text module: its size is a signed 32-bit count.
inline constexpr std::uint64_t kLargestTextFile = 0x7FFFFFFF;

}  // namespace velmora
