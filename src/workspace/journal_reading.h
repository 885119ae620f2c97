#pragma once
// A record of the song log read back from its bytes (journal.h writes them, journal_replay.h
// replays them): each read from the front, a record cut off told apart from one that cannot
// be read, and where the next one may start.

#include <cstddef>
#include <optional>
#include <string_view>

#include "text/limits.h"
#include "workspace/song.h"

namespace velmora {

// A record's four texts at their longest, four bytes a character in the code page at most.
inline constexpr std::size_t kMostFieldBytes = 4 * kLongestLyric;
inline constexpr std::size_t kMostRecordBytes = 4 * kMostFieldBytes + 256;

struct Change {
    enum class Kind { Add, Edit, Remove, Move, Begin, End };
    Kind kind;
    int n = 0;
    int to = 0;
    Song song = {};
};

struct RecordRead {
    std::optional<Change> change;  // nothing: cut off, or not a record
    std::size_t length = 0;        // the bytes it took
    bool cutOff = false;           // the bytes end before it does: the rest may be to come
};

// The record at the start of `bytes`.
RecordRead ReadRecord(std::string_view bytes);

// Where the next record may start, from `from` on: after a line end, one of the openings
// (or as much of one as the bytes hold). npos when there is none in them.
std::size_t NextRecord(std::string_view bytes, std::size_t from);

}  // namespace velmora
