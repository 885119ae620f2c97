#include "workspace/journal_replay.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "text/limits.h"
#include "workspace/journal_reading.h"

namespace velmora {
namespace {

// A song as the window would have taken it.
bool Typable(const Song& song) {
    return !song.name.empty() && !song.lyric.empty() &&
           std::max({song.name.size(), song.lyric.size(), song.artist.size(),
                     song.credits.size()}) <= kLongestLyric;
}

// The songs in their order, kept as places in a store of them: a move shifts numbers, not
// songs, and a change inside a group keeps what it replaced until the group has ended.
class Songs {
public:
    std::size_t count() const { return order_.size(); }
    bool IsPlace(int n, std::size_t more = 0) const {
        return n >= 1 && static_cast<std::size_t>(n) <= order_.size() + more;
    }
    std::size_t At(int n) const { return order_[static_cast<std::size_t>(n - 1)]; }

    std::size_t Keep(Song song) {
        if (free_.empty()) {
            store_.push_back(std::move(song));
            return store_.size() - 1;
        }
        const std::size_t slot = free_.back();
        free_.pop_back();
        store_[slot] = std::move(song);
        return slot;
    }
    void Drop(std::size_t slot) {
        store_[slot] = {};
        free_.push_back(slot);
    }
    void Insert(int n, std::size_t slot) { order_.insert(Place(n), slot); }
    std::size_t Erase(int n) {
        const std::size_t slot = At(n);
        order_.erase(Place(n));
        return slot;
    }
    std::size_t Replace(int n, std::size_t slot) {
        return std::exchange(order_[static_cast<std::size_t>(n - 1)], slot);
    }
    void Move(int from, int to) { Insert(to, Erase(from)); }

    std::vector<Song> Take() {
        std::vector<Song> songs;
        songs.reserve(order_.size());
        for (const std::size_t slot : order_) {
            songs.push_back(std::move(store_[slot]));
        }
        return songs;
    }

private:
    std::vector<std::size_t>::iterator Place(int n) { return order_.begin() + (n - 1); }

    std::vector<Song> store_;
    std::vector<std::size_t> free_;
    std::vector<std::size_t> order_;
};

// How to take back a change made inside a group: each step's place and what it replaced.
struct Added {
    int n;
};
struct Replaced {
    int n;
    std::size_t slot;
};
struct Removed {
    int n;
    std::size_t slot;
};
struct Moved {
    int from, to;
};
using Step = std::variant<Added, Replaced, Removed, Moved>;

}  // namespace

struct JournalReplay::State {
    std::string pending;       // bytes not replayed yet: a record cut off, or one being passed over
    std::uint64_t before = 0;  // the log's bytes before them
    bool passing = false;      // over a record that could not be read
    Songs songs;
    std::optional<int> group;  // the open group's number
    std::vector<Step> steps;   // and how to take it back
    velmora::Replay replay;

    // Replays the records of `bytes`, the log's bytes after `before`: what it took of them.
    std::size_t Run(std::string_view bytes, bool ended);
    bool Apply(Change& change);
    bool Make(Change& change);
    void Forget(const Step& step);
    void TakeBack();
};

// The open group taken back, its last change first.
void JournalReplay::State::TakeBack() {
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        if (const auto* added = std::get_if<Added>(&*step)) {
            songs.Drop(songs.Erase(added->n));
        } else if (const auto* replaced = std::get_if<Replaced>(&*step)) {
            songs.Drop(songs.Replace(replaced->n, replaced->slot));
        } else if (const auto* removed = std::get_if<Removed>(&*step)) {
            songs.Insert(removed->n, removed->slot);
        } else {
            const auto& moved = std::get<Moved>(*step);
            songs.Move(moved.to, moved.from);
        }
    }
    steps.clear();
    group.reset();
}

// A step no longer to be taken back: what it replaced goes.
void JournalReplay::State::Forget(const Step& step) {
    if (const auto* replaced = std::get_if<Replaced>(&step)) {
        songs.Drop(replaced->slot);
    } else if (const auto* removed = std::get_if<Removed>(&step)) {
        songs.Drop(removed->slot);
    }
}

// Makes a song's change, or says it could not have been made.
bool JournalReplay::State::Make(Change& change) {
    using Kind = Change::Kind;
    std::optional<Step> step;
    switch (change.kind) {
        case Kind::Add:
            if (!songs.IsPlace(change.n, 1) || songs.count() >= kMaxSongs ||
                !Typable(change.song)) {
                return false;
            }
            songs.Insert(change.n, songs.Keep(std::move(change.song)));
            step = Added{change.n};
            break;
        case Kind::Edit:
            if (!songs.IsPlace(change.n) || !Typable(change.song)) {
                return false;
            }
            step = Replaced{change.n, songs.Replace(change.n, songs.Keep(std::move(change.song)))};
            break;
        case Kind::Remove:
            if (!songs.IsPlace(change.n)) {
                return false;
            }
            step = Removed{change.n, songs.Erase(change.n)};
            break;
        case Kind::Move:
            if (!songs.IsPlace(change.n) || !songs.IsPlace(change.to)) {
                return false;
            }
            songs.Move(change.n, change.to);
            step = Moved{change.n, change.to};
            break;
        case Kind::Begin:
        case Kind::End:
            return false;
    }
    if (group) {
        steps.push_back(*step);
    } else {
        Forget(*step);
    }
    return true;
}

bool JournalReplay::State::Apply(Change& change) {
    using Kind = Change::Kind;
    if (change.kind == Kind::Begin) {
        if (group) {
            return false;  // begun inside another: it goes on as the one begun first
        }
        group = change.n;
        return true;
    }
    if (change.kind == Kind::End) {
        if (group != change.n) {
            return false;
        }
        for (const Step& step : steps) {
            Forget(step);
        }
        steps.clear();
        group.reset();
        return true;
    }
    return Make(change);
}

std::size_t JournalReplay::State::Run(std::string_view bytes, bool ended) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (passing) {
            const std::size_t next = NextRecord(bytes, at);
            if (next == std::string_view::npos) {
                // The start of a line end and an opening may be cut off: kept for the next piece.
                at = std::max(at, bytes.size() - std::min<std::size_t>(bytes.size(), 11));
                break;
            }
            at = next;
            passing = false;
            continue;
        }
        RecordRead read = ReadRecord(bytes.substr(at));
        std::optional<Change>& change = read.change;
        if (read.cutOff && (ended || bytes.size() - at <= kMostRecordBytes)) {
            // Still to come; at the end, a record cut off.
            at = ended ? bytes.size() : at;
            break;
        }
        if (!change) {
            ++replay.unreadable;
            passing = true;
            ++at;
            continue;
        }
        at += read.length;
        if (!Apply(*change)) {
            ++replay.unreadable;
        }
        if (!group) {
            replay.length = before + at;
        }
    }
    before += at;
    return at;
}

JournalReplay::JournalReplay() : state_(std::make_unique<State>()) {}
JournalReplay::~JournalReplay() = default;

void JournalReplay::Feed(std::string_view bytes) {
    std::string& pending = state_->pending;
    // Taken where it lies; only what waits for the next piece is kept.
    if (pending.empty()) {
        pending.assign(bytes.substr(state_->Run(bytes, false)));
        return;
    }
    pending.append(bytes);
    pending.erase(0, state_->Run(pending, false));
}

Replay JournalReplay::Finish() {
    state_->Run(state_->pending, true);
    state_->pending.clear();
    if (state_->group) {
        state_->TakeBack();
    }
    state_->replay.songs = state_->songs.Take();
    return std::move(state_->replay);
}

Replay ReplayJournal(std::string_view journal) {
    JournalReplay replay;
    replay.Feed(journal);
    return replay.Finish();
}

}  // namespace velmora
