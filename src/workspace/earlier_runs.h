#pragma once
// What a run leaves for the runs after it: the window's boxes as they stood, and what
// became of its songs (built into a book up to some point of its journal, or taken over
// by a later run). From these a start finds the work an earlier run left unbuilt.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "workspace/run_layout.h"
#include "workspace/song.h"
#include "workspace/song_collection.h"

namespace velmora {

// The window's boxes that belong to a run's work: the book's, and a song typed but not added.
struct RunBoxes {
    std::u16string cover;
    std::u16string savePlace;
    std::u16string title;
    std::u16string author;
    std::u16string name;
    std::u16string artist;
    std::u16string lyric;

    // A song's name or lyric stands typed; the artist alone is the one kept for the next song.
    bool HasTyped() const { return !name.empty() || !lyric.empty(); }

    bool operator==(const RunBoxes&) const = default;
};

// Raises a Failure (CannotWrite).
void SaveRunBoxes(const RunLayout& run, const RunBoxes& boxes);
std::optional<RunBoxes> ReadRunBoxes(const RunLayout& run);

// What a book holds: each of its songs, in the book's order, by a print of its texts. Kept
// with the run, it does not change when the run's journal is written anew.
using BookPrint = std::vector<std::uint64_t>;
BookPrint PrintOf(const SongCollection& songs);

// A book holds the run's songs as `book` prints them. A mark that cannot be written costs
// no more than a question at the next start: it is not raised.
void MarkBuilt(const RunLayout& run, const BookPrint& book);
// A later run took the songs over, or the user let them go: they are never offered again.
void MarkTaken(const RunLayout& run);

struct UnbuiltRun {
    std::filesystem::path folder;
    std::vector<Song> songs;
    std::optional<RunBoxes> boxes;
    // A song was typed and not added: offered even when every song is in a book, or none is.
    bool typed = false;
    // How many of the songs no book holds as they are; nothing when the run built no book.
    std::optional<std::size_t> notInBook;
    // The journal's records that could not be read, passed over.
    std::size_t unreadable = 0;
};

// The most recent earlier run (of those that have ended and whose journal holds anything or
// whose boxes hold a song typed, the one whose songs changed last), when it holds songs and
// changes that went into no book, or a song typed, and was not taken; its journal is read a piece
// at a time, whatever its size. Raises a Failure (EarlierRunUnreadable) when that run cannot be
// read: an older one is never offered instead.
std::optional<UnbuiltRun> FindUnbuiltRun(const RunLayout& layout);

}  // namespace velmora
