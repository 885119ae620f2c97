#pragma once
// The song log read back: its records replayed one after the other into the songs they give,
// a piece of the log at a time, so that a log of any size is brought back in the memory of
// its songs. A record that cannot be read, or whose change cannot be made, is counted and
// passed over: the records after it still count. Changes that belong together (between a
// begin and an end record) count only when the end is there.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "workspace/song.h"

namespace velmora {

struct Replay {
    std::vector<Song> songs;
    // The bytes up to the end of the last record read outside a group. What follows is a
    // record cut off (a power cut, a program killed mid-write), a group never ended, or none.
    std::uint64_t length = 0;
    // Records passed over: malformed, impossible (a song number that is no song's, a song
    // past the most a run may hold), or a song that could not have been typed (an empty name
    // or lyric, a text past the longest).
    std::size_t unreadable = 0;
};

class JournalReplay {
public:
    JournalReplay();
    ~JournalReplay();
    JournalReplay(const JournalReplay&) = delete;
    JournalReplay& operator=(const JournalReplay&) = delete;

    // The next piece of the log: each record whole in it, or with the pieces before, is
    // replayed; the start of one cut off waits for the next piece.
    void Feed(std::string_view bytes);
    // The songs once the log has ended.
    Replay Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// A log held whole, replayed.
Replay ReplayJournal(std::string_view journal);

}  // namespace velmora
