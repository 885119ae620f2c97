#include "app/book_script.h"

#include <algorithm>
#include <memory>

#include "text/failure.h"

namespace {

// What is looked at of each lyric, and of how many songs: enough to tell, quickly.
constexpr std::size_t kLyricStart = 100;
constexpr int kSongsLooked = 500;

// The characters that a conversion changes.
std::size_t Changed(const std::u16string& text, const velmora::ScriptConversion& conversion) {
    const std::u16string converted = conversion(text);
    const std::size_t common = std::min(text.size(), converted.size());
    std::size_t changed = std::max(text.size(), converted.size()) - common;
    for (std::size_t i = 0; i < common; ++i) {
        changed += text[i] != converted[i];
    }
    return changed;
}

}  // namespace

velmora::Script ScriptOfBook(const std::u16string& title, const velmora::SongCollection& songs) {
    std::u16string sample = title;
    for (int n = 1; n <= std::min(songs.SongCount(), kSongsLooked); ++n) {
        const velmora::Song& song = songs.At(n);
        sample.append(u"\n").append(song.name).append(u"\n").append(song.artist);
        sample.append(u"\n").append(song.lyric.substr(0, kLyricStart));
    }
    try {
        // Loaded once: a book is built again and again.
        static const velmora::ScriptConversion toSimplified(velmora::Script::Simplified);
        static const velmora::ScriptConversion toTraditional(velmora::Script::Traditional);
        return Changed(sample, toSimplified) > Changed(sample, toTraditional)
                   ? velmora::Script::Traditional
                   : velmora::Script::Simplified;
    } catch (const velmora::Failure&) {
        return velmora::Script::Simplified;
    }
}
