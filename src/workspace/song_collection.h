#pragma once
// The run's songs in their book order, each with the number of its page; read by the page,
// log and document composers. Song n is the n-th, counted from 1.
//
// Every change is prepared first (all the memory it takes allocated) and then made by a
// call that cannot fail, so that a change whose files could not be written is never half
// made.

#include <string>
#include <vector>

#include "workspace/song.h"

namespace velmora {

class SongCollection {
public:
    int SongCount() const { return static_cast<int>(songs_.size()); }
    const Song& At(int n) const { return songs_[Slot(n)].song; }
    // The number in song n's page name: part0007.html is page 7.
    int PageNumber(int n) const { return songs_[Slot(n)].page; }
    // Song n's page file name.
    std::string PageFileName(int n) const;
    bool PageInUse(int page) const;

    struct Entry {
        Song song;
        int page = 0;
    };
    // Allocates all that taking in the song takes, so that the changes below cannot fail;
    // the song is moved in last, and stays where it was when that fails.
    Entry Prepare(Song&& song, int page);
    // Room for `more` songs, so that as many inserts cannot fail.
    void Reserve(int more);
    // Makes it song n, the songs from n on moving down; n = SongCount() + 1 appends.
    void Insert(int n, Entry&& entry) noexcept;
    // Makes it song n in place of the song there, which it gives back.
    Song Replace(int n, Entry&& entry) noexcept;
    // The `count` songs from n on leave; the songs after them move up.
    void Remove(int n, int count = 1) noexcept;
    // Song `from` goes to place `to`; the songs between move one place towards `from`.
    void Move(int from, int to) noexcept;

private:
    static std::size_t Slot(int n) { return static_cast<std::size_t>(n - 1); }
    void Use(int page, bool used) noexcept;

    std::vector<Entry> songs_;
    std::vector<bool> pageInUse_;
};

}  // namespace velmora
