#pragma once
// The run's songs in the three song tables: slot n for song n, slot 0 unused, one empty
// slot after the last song. Read by the page, log and document composers.

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

    struct NewSong {
        std::u16string name, lyric, marked, page;
    };
    // Allocates all that adding the song takes, so that Append cannot fail.
    NewSong Prepare(std::u16string_view name, std::u16string_view lyric,
                    std::u16string_view pagePath);
    // Makes it song SongCount() + 1.
    void Append(NewSong&& song) noexcept;

private:
    std::int16_t songCount_ = 0;
    std::vector<std::u16string> songNames_;
    std::vector<std::u16string> songLyrics_;
    std::vector<std::u16string> songPages_;
    std::vector<std::u16string> typedLyrics_;
};

// The lyric with every carriage return replaced by "<br/>", line feeds kept.
std::u16string LyricWithBreaks(std::u16string_view lyric);

}  // namespace velmora
