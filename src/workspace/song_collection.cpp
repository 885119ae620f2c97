#include "workspace/song_collection.h"

#include <algorithm>

namespace velmora {
namespace {

// Room for one more slot, growing geometrically; afterwards emplace_back cannot throw.
template <typename Table>
void MakeRoom(Table& table) {
    if (table.size() == table.capacity()) {
        table.reserve(2 * table.capacity());
    }
}

}  // namespace

SongCollection::SongCollection()
    : songNames_(2), songLyrics_(2), songPages_(2), typedLyrics_(2), pageNumbers_(2) {}

template <typename Change>
void SongCollection::ForEachTable(Change change) {
    change(songNames_);
    change(songLyrics_);
    change(songPages_);
    change(typedLyrics_);
    change(pageNumbers_);
}

std::u16string SongCollection::PageFileName(int n) const {
    const std::u16string& page = songPages_[static_cast<std::size_t>(n)];
    return page.substr(page.rfind(u'/') + 1);
}

bool SongCollection::PageInUse(int pageNumber) const {
    const auto k = static_cast<std::size_t>(pageNumber);
    return k < pageInUse_.size() && pageInUse_[k];
}

SongCollection::NewSong SongCollection::Prepare(std::u16string_view name, std::u16string_view lyric,
                                                int pageNumber, std::u16string_view pagePath) {
    ForEachTable([](auto& table) { MakeRoom(table); });
    if (static_cast<std::size_t>(pageNumber) >= pageInUse_.size()) {
        pageInUse_.resize(static_cast<std::size_t>(pageNumber) + 1024);
    }
    return {std::u16string(name), std::u16string(lyric), LyricWithBreaks(lyric),
            std::u16string(pagePath), pageNumber};
}

void SongCollection::Append(NewSong&& song) noexcept {
    Replace(songCount_ + 1, std::move(song));
    ForEachTable([](auto& table) { table.emplace_back(); });
    ++songCount_;
}

void SongCollection::Replace(int n, NewSong&& song) noexcept {
    const auto slot = static_cast<std::size_t>(n);
    pageInUse_[static_cast<std::size_t>(pageNumbers_[slot])] = false;
    pageInUse_[static_cast<std::size_t>(song.pageNumber)] = true;
    songNames_[slot] = std::move(song.name);
    songLyrics_[slot] = std::move(song.marked);
    songPages_[slot] = std::move(song.page);
    typedLyrics_[slot] = std::move(song.lyric);
    pageNumbers_[slot] = song.pageNumber;
}

void SongCollection::Remove(int n) noexcept {
    pageInUse_[static_cast<std::size_t>(PageNumber(n))] = false;
    ForEachTable([n](auto& table) { table.erase(table.begin() + n); });
    --songCount_;
}

void SongCollection::Move(int from, int to) noexcept {
    ForEachTable([from, to](auto& table) {
        const auto at = table.begin();
        if (from < to) {
            std::rotate(at + from, at + from + 1, at + to + 1);
        } else {
            std::rotate(at + to, at + from, at + from + 1);
        }
    });
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
