#include "workspace/song_collection.h"

#include <initializer_list>

namespace velmora {
namespace {

// Room for one more slot, growing geometrically; afterwards emplace_back cannot throw.
void MakeRoom(std::vector<std::u16string>& table) {
    if (table.size() == table.capacity()) {
        table.reserve(2 * table.capacity());
    }
}

}  // namespace

SongCollection::SongCollection() : songNames_(2), songLyrics_(2), songPages_(2), typedLyrics_(2) {}

std::u16string SongCollection::PageFileName(int n) const {
    const std::u16string& page = songPages_[static_cast<std::size_t>(n)];
    return page.substr(page.rfind(u'/') + 1);
}

SongCollection::NewSong SongCollection::Prepare(std::u16string_view name, std::u16string_view lyric,
                                                std::u16string_view pagePath) {
    for (auto* table : {&songNames_, &songLyrics_, &songPages_, &typedLyrics_}) {
        MakeRoom(*table);
    }
    return {std::u16string(name), std::u16string(lyric), LyricWithBreaks(lyric),
            std::u16string(pagePath)};
}

void SongCollection::Append(NewSong&& song) noexcept {
    const auto n = static_cast<std::size_t>(songCount_ + 1);
    songNames_[n] = std::move(song.name);
    songLyrics_[n] = std::move(song.marked);
    songPages_[n] = std::move(song.page);
    typedLyrics_[n] = std::move(song.lyric);
    for (auto* table : {&songNames_, &songLyrics_, &songPages_, &typedLyrics_}) {
        table->emplace_back();
    }
    songCount_ = static_cast<std::int16_t>(n);
}

std::u16string LyricWithBreaks(std::u16string_view lyric) {
    std::u16string marked;
    marked.reserve(lyric.size() + 64);
    std::size_t start = 0;
    for (std::size_t cr = lyric.find(u'\r'); cr != std::u16string_view::npos;
         cr = lyric.find(u'\r', start)) {
        marked.append(lyric.substr(start, cr - start)).append(u"<br/>");
        start = cr + 1;
    }
    return marked.append(lyric.substr(start));
}

}  // namespace velmora
