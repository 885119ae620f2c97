#include "workspace/song_collection.h"

#include <algorithm>
#include <utility>

#include "workspace/song_page.h"

namespace velmora {

std::string SongCollection::PageFileName(int n) const {
    return velmora::PageFileName(PageNumber(n));
}

bool SongCollection::PageInUse(int page) const {
    const auto k = static_cast<std::size_t>(page);
    return k < pageInUse_.size() && pageInUse_[k];
}

SongCollection::Entry SongCollection::Prepare(Song&& song, int page) {
    if (songs_.size() == songs_.capacity()) {
        songs_.reserve(std::max<std::size_t>(16, 2 * songs_.capacity()));
    }
    if (static_cast<std::size_t>(page) >= pageInUse_.size()) {
        pageInUse_.resize(static_cast<std::size_t>(page) + 1024);
    }
    return {std::move(song), page};
}

void SongCollection::Reserve(int more) {
    songs_.reserve(songs_.size() + static_cast<std::size_t>(more));
}

void SongCollection::Use(int page, bool used) noexcept {
    pageInUse_[static_cast<std::size_t>(page)] = used;
}

void SongCollection::Insert(int n, Entry&& entry) noexcept {
    Use(entry.page, true);
    songs_.insert(songs_.begin() + static_cast<std::ptrdiff_t>(Slot(n)), std::move(entry));
}

Song SongCollection::Replace(int n, Entry&& entry) noexcept {
    Use(PageNumber(n), false);
    Use(entry.page, true);
    return std::exchange(songs_[Slot(n)], std::move(entry)).song;
}

void SongCollection::Remove(int n, int count) noexcept {
    for (int k = n; k < n + count; ++k) {
        Use(PageNumber(k), false);
    }
    const auto first = songs_.begin() + static_cast<std::ptrdiff_t>(Slot(n));
    songs_.erase(first, first + count);
}

void SongCollection::Move(int from, int to) noexcept {
    const auto at = songs_.begin();
    const auto f = static_cast<std::ptrdiff_t>(Slot(from));
    const auto t = static_cast<std::ptrdiff_t>(Slot(to));
    if (f < t) {
        std::rotate(at + f, at + f + 1, at + t + 1);
    } else {
        std::rotate(at + t, at + f, at + f + 1);
    }
}

}  // namespace velmora
