#include "workspace/journal_replay.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "text/code_page.h"
#include "text/limits.h"
#include "text/text_utf.h"

namespace velmora {
namespace {

// A record's four texts at their longest, four bytes a character in the code page at most.
constexpr std::size_t kMostFieldBytes = 4 * kLongestLyric;
constexpr std::size_t kMostRecordBytes = 4 * kMostFieldBytes + 256;

constexpr std::string_view kOpenings[] = {
    "<songno=", "<editno=", "<removeno=", "<moveno=", "<beginno=", "<endno="};

std::u16string FromAnsi(std::string_view bytes) {
    return codepage::Decode(bytes, mTextUTF::AnsiCodePage).value_or(std::u16string());
}

struct Change {
    enum class Kind { Add, Edit, Remove, Move, Begin, End };
    Kind kind;
    int n = 0;
    int to = 0;
    Song song = {};
};

// The log's bytes, read from the front; each call moves past what it read, or fails. A call
// that fails because the bytes ran out (the rest of the record is still to come) says so.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    std::size_t at() const { return at_; }
    bool Short() const { return short_; }

    bool Ahead(std::string_view literal) {
        const std::string_view rest = bytes_.substr(at_);
        if (rest.size() < literal.size() && literal.starts_with(rest)) {
            short_ = true;
        }
        return rest.starts_with(literal);
    }
    bool Literal(std::string_view literal) {
        if (!Ahead(literal)) {
            return false;
        }
        at_ += literal.size();
        return true;
    }
    // Decimal digits, no more than a song number or a length can have.
    std::optional<int> Number() {
        int value = 0;
        std::size_t digits = 0;
        for (; at_ < bytes_.size() && bytes_[at_] >= '0' && bytes_[at_] <= '9' && digits < 9;
             ++at_, ++digits) {
            value = value * 10 + (bytes_[at_] - '0');
        }
        short_ |= at_ == bytes_.size();
        return digits > 0 ? std::optional(value) : std::nullopt;
    }
    // The bytes up to the next `end`, which stays; none past a field's longest.
    std::optional<std::string_view> UpTo(char end) {
        const std::size_t found = bytes_.find(end, at_);
        if (found == std::string_view::npos) {
            short_ = bytes_.size() - at_ <= kMostFieldBytes;
            return std::nullopt;
        }
        return found - at_ <= kMostFieldBytes ? Take(found - at_) : std::nullopt;
    }
    std::optional<std::string_view> Take(std::size_t count) {
        if (count > kMostFieldBytes) {
            return std::nullopt;
        }
        if (count > bytes_.size() - at_) {
            short_ = true;
            return std::nullopt;
        }
        const std::string_view taken = bytes_.substr(at_, count);
        at_ += count;
        return taken;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
    bool short_ = false;
};

// One field "<key=VALUE>", or, sized, "<key size=N>VALUE".
std::optional<std::string_view> ReadField(Reader& in, const std::string& key, bool sized) {
    if (!sized) {
        std::optional<std::string_view> value;
        return in.Literal("<" + key + "=") && (value = in.UpTo('>')) && in.Literal(">")
                   ? value
                   : std::nullopt;
    }
    const auto size = in.Literal("<" + key + " size=") ? in.Number() : std::nullopt;
    return size && in.Literal(">") ? in.Take(static_cast<std::size_t>(*size)) : std::nullopt;
}

// An optional field, read when it is there: nothing when it is malformed, empty when absent.
std::optional<std::string_view> ReadOptional(Reader& in, const std::string& key, bool sized) {
    return in.Ahead("<" + key + (sized ? " size=" : "=")) ? ReadField(in, key, sized)
                                                          : std::string_view();
}

// A name, an artist and credits when there are any, and a lyric, all as typed or all sized.
std::optional<Song> ReadFields(Reader& in) {
    const bool sized = in.Ahead("<songname size=");
    const auto name = ReadField(in, "songname", sized);
    const auto by = name ? ReadOptional(in, "artist", sized) : std::nullopt;
    const auto credits = by ? ReadOptional(in, "credits", sized) : std::nullopt;
    const auto lyric = credits ? ReadField(in, "lyric", sized) : std::nullopt;
    if (!lyric) {
        return std::nullopt;
    }
    return Song{FromAnsi(*name), FromAnsi(*lyric), FromAnsi(*by), FromAnsi(*credits)};
}

std::optional<Change> ReadRecord(Reader& in) {
    using Kind = Change::Kind;
    static constexpr std::string_view kClosings[] = {
        "</song no = ", "</edit no = ",  "</remove no = ",
        "</move no = ", "</begin no = ", "</end no = "};
    for (std::size_t k = 0; k < std::size(kOpenings); ++k) {
        if (!in.Literal(kOpenings[k])) {
            continue;
        }
        Change change{static_cast<Kind>(k)};
        const auto n = in.Number();
        if (!n || !in.Literal(">")) {
            return std::nullopt;
        }
        change.n = *n;
        if (change.kind == Kind::Add || change.kind == Kind::Edit) {
            auto song = ReadFields(in);
            if (!song) {
                return std::nullopt;
            }
            change.song = *std::move(song);
        } else if (change.kind == Kind::Move) {
            const auto to = in.Literal("<to=") ? in.Number() : std::nullopt;
            if (!to || !in.Literal(">")) {
                return std::nullopt;
            }
            change.to = *to;
        }
        const auto closing = in.Literal(kClosings[k]) ? in.Number() : std::nullopt;
        if (closing != n || !in.Literal(">\r\n")) {
            return std::nullopt;
        }
        return change;
    }
    return std::nullopt;
}

// Where the next record may start, from `from` on: after a line end, one of the openings.
// npos when there is none in the bytes yet.
std::size_t NextRecord(std::string_view bytes, std::size_t from) {
    for (std::size_t at = bytes.find("\r\n<", from); at != std::string_view::npos;
         at = bytes.find("\r\n<", at + 1)) {
        const std::string_view rest = bytes.substr(at + 2);
        for (const std::string_view opening : kOpenings) {
            if (rest.starts_with(opening) ||
                (rest.size() < opening.size() && opening.starts_with(rest))) {
                return at + 2;
            }
        }
    }
    return std::string_view::npos;
}

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
        Reader in(bytes.substr(at));
        std::optional<Change> change = ReadRecord(in);
        if (!change && in.Short() && (ended || bytes.size() - at <= kMostRecordBytes)) {
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
        at += in.at();
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
