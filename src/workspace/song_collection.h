#pragma once
// The run's songs in the three song tables: slot n for song n, slot 0 unused, one empty
// slot after the last song. Read by the page, log and document composers.
//
// Every change is prepared first (all the memory it takes allocated) and then made by a
// call that cannot fail, so that a change whose files could not be written is never half
// made.

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

class SongCollection {
public:
    SongCollection();

    std::int16_t SongCount() const { return songCount_; }
    const std::vector<std::u16string>& SongNames() const { return songNames_; }
    // Each carriage return of the lyric as "<br/>", line feeds kept.
    const std::vector<std::u16string>& SongLyrics() const { return songLyrics_; }
    // The page's full path, as text.
    const std::vector<std::u16string>& SongPages() const { return songPages_; }

    // Song n's lyric as typed.
    const std::u16string& Lyric(int n) const { return typedLyrics_[static_cast<std::size_t>(n)]; }
    // The last element of song n's page path.
    std::u16string PageFileName(int n) const;
    // The number in song n's page name: part0007.html is page 7.
    int PageNumber(int n) const { return pageNumbers_[static_cast<std::size_t>(n)]; }
    bool PageInUse(int pageNumber) const;

    struct NewSong {
        std::u16string name, lyric, marked, page;
        int pageNumber = 0;
    };
    // Allocates all that taking in the song takes, so that Append and Replace cannot fail.
    NewSong Prepare(std::u16string_view name, std::u16string_view lyric, int pageNumber,
                    std::u16string_view pagePath);
    // Makes it song SongCount() + 1.
    void Append(NewSong&& song) noexcept;
    // Makes it song n in place of the song there.
    void Replace(int n, NewSong&& song) noexcept;
    // Song n leaves; the songs after it move up one place.
    void Remove(int n) noexcept;
    // Song `from` goes to place `to`; the songs between move one place towards `from`.
    void Move(int from, int to) noexcept;

private:
    template <typename Change>
    void ForEachTable(Change change);

    std::int16_t songCount_ = 0;
    std::vector<std::u16string> songNames_;
    std::vector<std::u16string> songLyrics_;
    std::vector<std::u16string> songPages_;
    std::vector<std::u16string> typedLyrics_;
    std::vector<int> pageNumbers_;
    std::vector<bool> pageInUse_;
};

// The lyric with every carriage return replaced by "<br/>", line feeds kept.
std::u16string LyricWithBreaks(std::u16string_view lyric);

}  // namespace velmora
