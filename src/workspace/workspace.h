#pragma once
// The run's workspace: the work directory under temp/ with its epub tree, the song log
// lyric.txt, and the song collection with each song's page.
//
// Every change of the collection is all or nothing: when one of its files cannot be
// written, the log, the pages and the songs stay as they were; a change made is told to
// the observer.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/file.h"

#include "platform/folder_lock.h"
#include "workspace/collection_observer.h"
#include "workspace/run_layout.h"
#include "workspace/song_collection.h"

namespace velmora {

// Why a change was not made; the window says so.
enum class Refusal {
    None,        // made
    EmptyInput,  // a name or a lyric is empty
    BookFull,    // the run holds kMaxSongs songs
    NoSuchSong,  // the number is no song's
    TooLong,     // a name, artist, credits or lyric past the longest a song may have
};

// Asked between the steps of a long change, with the steps done and their number: when it
// says no, the change stops, as if it had never begun (Failure(Stopped)).
using Going = std::function<bool(std::size_t done, std::size_t total)>;

class Workspace {
public:
    Workspace(const std::filesystem::path& appDir, const Clock& clock);

    // Who is told of each change made; none by default.
    void SetObserver(CollectionObserver* observer) { observer_ = observer; }

    // Creates this run's work directory (temp/<start stamp>/, or <stamp>_2, _3, … when
    // taken) with its epub skeleton, the empty song log and container.xml; empties the
    // collection; clears what earlier runs that ended mid-build left in their folders.
    // Raises a Failure naming the path; a failed start leaves nothing behind.
    void ReadyToMake();

    // Adds one song: its page, its log record, its place at the end. Empty input or a full
    // book is refused. Raises a Failure.
    Refusal AddLyric(const std::u16string& songName, const std::u16string& lyric);
    // The same at place n (from 1 to one past the last), the songs from n on moving down.
    Refusal InsertSong(int n, const Song& song);
    // Adds the songs from place `first` on as one change (an import, a restore): all of them,
    // as many as the book has room for, or, when a file cannot be written, none. The number
    // added. Raises a Failure.
    int AddSongs(int first, const std::vector<Song>& songs);
    // Gives song n this name and lyric: a new page, its log record; the song keeps its
    // place. Raises a Failure.
    Refusal EditLyric(int n, const Song& song);
    // Gives each song numbered this song, all as one change (every song changed at once):
    // all of them, or, when one is refused or a file cannot be written, none. Made, the songs
    // are exchanged: each of `edits` then holds the song it replaced (what it takes to
    // make the change back), so that no song is held twice. `going` is asked after each
    // page. Raises a Failure.
    Refusal EditSongs(std::vector<std::pair<int, Song>>& edits, const Going& going = {});
    // Song n leaves: its page, its log record; the songs after it move up one place.
    // Raises a Failure.
    Refusal RemoveLyric(int n);
    // The `count` songs from `first` on leave as one change. Raises a Failure.
    Refusal RemoveSongs(int first, int count);
    // Song `from` goes to place `to`, the songs between move one place towards `from`.
    // Raises a Failure.
    Refusal MoveLyric(int from, int to);

    // Re-creates whatever of the run's files has gone (folders, song log, container.xml,
    // pages) from the songs, at one look per file and one listing of the pages. Raises a
    // Failure.

    void Restore();

    // While it lives, the changes made are one in the song log: replayed, they count only
    // once it has gone (an import of many files). Its start raises a Failure; its end, when
    // it cannot be written, leaves the changes uncounted, which costs only a restore.
    class Batch {
    public:
        explicit Batch(Workspace& run);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Workspace& run_;
    };

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
    // The bytes the song log has been given: each change adds to them, and they never go
    // back, when the log is written anew too.
    std::uint64_t JournalLength() const { return journalLength_; }

private:
    class LetGo;

    void MakeTree();
    // Writes the song log anew from the songs once it holds much more than they are.
    void Settle() noexcept;
    void RestoreIfGone();
    const std::string& PageHead();
    // Writes the song's page under a name no song and no file has, its number past the
    // songs' and at least `from`, and prepares its place, the song moved into it; when that
    // fails, the song stays where it was.
    SongCollection::Entry WritePage(Song& song, int from = 0);
    bool IsSong(int n) const;
    // Appends the records to the song log in one write, framed as one change when there are
    // several of them and no batch frames them already. Raises a Failure.
    void Journal(const std::string& records, int count = 1);
    // The same for `count` records made one by one, appended a piece at a time (`going`
    // asked between pieces); when one cannot be written, those before it are taken back.
    void JournalEach(std::size_t count, const std::function<std::string(std::size_t)>& record,
                     const Going& going = {});
    // Writes the song log from the songs when it has gone; opens it.
    void RestoreLog();
    // The song log written anew from the songs: 0, or the errno of what failed.
    int WriteLog();
    void OpenLog();

    RunLayout layout_;
    const Clock& clock_;
    CollectionObserver* observer_ = nullptr;
    SongCollection songs_;
    // The bytes ever given to the song log, and its length now (less, once written anew).
    std::uint64_t journalLength_ = 0;
    std::uint64_t logLength_ = 0;
    // The length past which the log is weighed against the songs again.
    std::uint64_t settleAt_ = 0;
    std::unique_ptr<File> log_;
    std::string pageHead_;

    // Changes made as one are framed by records numbered from 1; inside a batch, no change
    // frames its own.
    int groups_ = 0;
    bool batched_ = false;
    // Tells other programs this run is going.
    std::unique_ptr<FolderLock> lock_;
    bool holding_ = false;
    std::vector<std::filesystem::path> held_;
};

}  // namespace velmora
