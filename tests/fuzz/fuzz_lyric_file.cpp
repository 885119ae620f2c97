// Feeds arbitrary bytes to the lyric-file readers: whatever a file holds, reading it must
// not crash, and every lyric must come out with CR LF line ends only.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/lyric_file.h"

namespace {

bool OnlyCrLf(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool cr = text[i] == u'\r';
        if ((cr && (i + 1 >= text.size() || text[i + 1] != u'\n')) ||
            (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto text =
        velmora::DecodeLyricFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!text) {
        return 0;
    }
    for (const velmora::Song& song :
         {velmora::SongFromLrc(*text, u"name"), velmora::SongFromText(*text, u"name")}) {
        if (!OnlyCrLf(song.lyric) || song.name.empty()) {
            std::abort();
        }
    }
    return 0;
}
