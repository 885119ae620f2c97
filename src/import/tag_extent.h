#pragma once
// Where an audio file keeps its tag, found by the headers alone: the audio around it is never
// read, and a header's claims are checked against the file's real length before anything is
// read on their word.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora {

// The containers tags come in, each read its own way.
enum class AudioKind {
    Mpeg,  // ID3v2 at the start
    Flac,  // metadata blocks after "fLaC" (an ID3v2 tag may come first)
    Ogg,   // Vorbis or Opus: the comment packet, second in the stream
    Mp4,   // the moov atom, wherever it lies
    Ape,   // an APE tag at the end (Monkey's Audio, WavPack)
};

// Bytes read where asked: a file, or bytes in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Up to `length` bytes from `offset`, fewer at the end; raises a Failure when it cannot.
    virtual std::size_t Read(std::uint64_t offset, char* into, std::size_t length) = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    std::size_t Read(std::uint64_t offset, char* into, std::size_t length) override;

private:
    std::string_view bytes_;
};

// The bytes from `begin` to `end` hold the whole tag; none when both are 0.
struct TagExtent {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
};

// The tag's place, or none (an MP3 or APE file without one). Raises a Failure: TagTooLarge
// past kLargestAudioTag; AudioBroken when a header runs past the file's end, a container's
// mark is missing, or headers come in numbers no real file has.
TagExtent FindTag(ByteSource& file, AudioKind kind);

// The atoms of a moov, walked as TagLib walks them (by recursion): Failure(AudioBroken) when
// they nest deeper or come more often than any real file's, before TagLib's stack runs out.
void CheckMoovAtoms(ByteSource& moov);

}  // namespace velmora
