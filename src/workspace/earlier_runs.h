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

namespace velmora {

// The window's boxes that belong to a run's work.
struct RunBoxes {
    std::u16string cover;
    std::u16string savePlace;
    std::u16string title;
    std::u16string author;

    bool operator==(const RunBoxes&) const = default;
};

// Raises a Failure (CannotWrite).
void SaveRunBoxes(const RunLayout& run, const RunBoxes& boxes);
std::optional<RunBoxes> ReadRunBoxes(const RunLayout& run);

// A book holds the run's songs as its journal stood at `journalLength` bytes. A mark that
// cannot be written costs no more than a question at the next start: it is not raised.
void MarkBuilt(const RunLayout& run, std::uint64_t journalLength);
// A later run took the songs over, or the user let them go: they are never offered again.
void MarkTaken(const RunLayout& run);

struct UnbuiltRun {
    std::filesystem::path folder;
    std::vector<Song> songs;
    std::optional<RunBoxes> boxes;
    // How many of the songs no book holds as they are; nothing when the run built no book.
    std::optional<std::size_t> notInBook;
};

// The most recent earlier run (of those that have ended and whose journal holds anything,
// the one whose songs changed last), when it holds songs and changes that went into no
// book, and was not taken. Raises a Failure (EarlierRunTooLarge, EarlierRunUnreadable)
// when that run cannot be read: an older one is never offered instead. A run too large is
// marked taken as it is said, so that it is said once.
std::optional<UnbuiltRun> FindUnbuiltRun(const RunLayout& layout);

}  // namespace velmora
