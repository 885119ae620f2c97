// Feeds arbitrary bytes to the audio tag readers, the first byte choosing the kind of file:
// whatever a tag holds, reading it must not crash nor refuse but for the tag's own failures,
// names and artists must come out on one line and lyrics with CR LF line ends only.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/audio_file.h"
#include "text/failure.h"
#include "text_shape.h"

using velmora::Problem;
using velmora::fuzz::OneLine;
using velmora::fuzz::OnlyCrLf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto kind = static_cast<velmora::AudioKind>(data[0] % 5);
    velmora::MemorySource bytes(
        std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    try {
        const velmora::AudioTags tags = velmora::ReadAudioTags(bytes, kind);
        if (!OneLine(tags.name) || !OneLine(tags.artist)) {
            std::abort();
        }
        const velmora::Song song = velmora::SongFromTags(tags, u"f");
        if (song.name.empty() || !OneLine(song.name) || !OneLine(song.artist) ||
            !OnlyCrLf(song.lyric)) {
            std::abort();
        }
    } catch (const velmora::Failure& failure) {
        const Problem problem = failure.problem();
        if (problem != Problem::AudioBroken && problem != Problem::TagTooLarge &&
            problem != Problem::LyricTooLong) {
            std::abort();
        }
    }
    return 0;
}
