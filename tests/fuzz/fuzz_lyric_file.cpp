// Feeds arbitrary bytes to the lyric-file readers, the first line as the file's name:
// whatever a file holds, reading it must not crash, every lyric and credits must come out with
// CR LF line ends only, and names and artists on one line.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/lyric_file.h"
#include "text/failure.h"
#include "text/text_detection.h"
#include "text_shape.h"

using velmora::fuzz::OneLine;
using velmora::fuzz::OnlyCrLf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t end = std::min(bytes.find('\n'), bytes.size());
    const std::u16string name = velmora::DecodeFileName(bytes.substr(0, end));
    const auto text = velmora::DecodeTextFile(bytes.substr(std::min(end + 1, bytes.size())));
    if (!text || name.empty() || !OneLine(name)) {
        return 0;
    }
    try {
        for (const velmora::Song& song :
             {velmora::SongFromLrc(*text, name), velmora::SongFromText(*text, name)}) {
            if (!OnlyCrLf(song.lyric) || !OnlyCrLf(song.credits) || song.name.empty() ||
                !OneLine(song.name) || !OneLine(song.artist)) {
                std::abort();
            }
        }
    } catch (const velmora::Failure& failure) {
        if (failure.problem() != velmora::Problem::LyricTooLong) {
            std::abort();
        }
    }
    return 0;
}
