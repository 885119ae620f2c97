#pragma once
// The run's workspace: the work directory under temp/ with its epub tree, the song log
// lyric.txt, and the song collection with each song's page.
//
// Every change of the collection is all or nothing: when one of its files cannot be
// written, the log, the pages, the tables and the list stay as they were.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "workspace/collection_view.h"
#include "workspace/run_layout.h"
#include "workspace/song_collection.h"

namespace velmora {

class Workspace {
public:
    // A run holds at most this many songs.
    static constexpr std::int16_t kMaxSongs = 9999;

    Workspace(const std::filesystem::path& appDir, const Clock& clock, CollectionView& view);

    // Creates this run's work directory (temp/<start stamp>/, or <stamp>_2, _3, … when
    // taken) with its epub skeleton, the empty song log and container.xml; empties the
    // collection. Raises a Failure naming the path; a failed start leaves nothing behind.
    void ReadyToMake();

    // Adds one song: its page, its log record, its slots, its list entry; then empties the
    // input boxes. Empty input or a full book is refused with a message. Raises a Failure.
    void AddLyric(const std::u16string& songName, const std::u16string& lyric);
    // Adds one song as AddLyric does, but leaves the input boxes as they are: a song that
    // comes from elsewhere. The name and the lyric must not be empty, nor the book full.
    void AddSong(const std::u16string& songName, const std::u16string& lyric);
    // Gives song n this name and lyric: a new page, its slots, its list entry; the song
    // keeps its place. False, after the message, for empty input, and false for a number
    // that is no song's. Raises a Failure.
    bool EditLyric(int n, const std::u16string& songName, const std::u16string& lyric);
    // Song n leaves: its slots, its page, its list entry; the songs after it move up one
    // place; a number that is no song's changes nothing. Raises a Failure.
    void RemoveLyric(int n);
    // Song `from` goes to place `to`, the songs between move one place towards `from`;
    // places past the ends change nothing. Raises a Failure.
    void MoveLyric(int from, int to);

    // Re-creates whatever of the run's files has gone (folders, song log, container.xml,
    // pages) from the song tables, at one check per file. Raises a Failure.
    void Restore();

    // While it lives, pages the collection lets go of stay on disk: a build is packing them.
    class PageHold {
    public:
        explicit PageHold(Workspace& run);
        // Removes the pages let go of meanwhile.
        ~PageHold();
        PageHold(const PageHold&) = delete;
        PageHold& operator=(const PageHold&) = delete;

    private:
        Workspace& run_;
    };

    const RunLayout& Layout() const { return layout_; }
    // Ends in a separator.
    const std::filesystem::path& WorkDir() const { return layout_.WorkDir(); }
    const SongCollection& Songs() const { return songs_; }

private:
    class LetGo;

    std::filesystem::path MakeWorkDir(std::int64_t stamp) const;
    void MakeTree() const;
    void RestoreIfGone();
    std::u16string PageTemplate() const;
    // A page number no page uses or waits to be removed under, from `preferred` on.
    int FreePageNumber(int preferred) const;
    // Writes the song's page under a free name and prepares its slots.
    SongCollection::NewSong WritePage(int preferred, const std::u16string& songName,
                                      const std::u16string& lyric);
    bool IsSong(int n) const;
    void ShowListFrom(int n);

    RunLayout layout_;
    const Clock& clock_;
    CollectionView& view_;
    SongCollection songs_;
    bool holding_ = false;
    std::vector<std::filesystem::path> held_;
};

}  // namespace velmora
