#include "workspace/journal.h"

#include <algorithm>
#include <optional>

#include "text/code_page.h"
#include "text/limits.h"
#include "text/text_utf.h"
#include "workspace/song_collection.h"

namespace velmora {
namespace {

std::string Ansi(std::u16string_view text) {
    return codepage::Encode(text, mTextUTF::AnsiCodePage).value_or(std::string());
}

std::u16string FromAnsi(std::string_view bytes) {
    return codepage::Decode(bytes, mTextUTF::AnsiCodePage).value_or(std::u16string());
}

bool HasMarks(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t u) { return u == u'<' || u == u'>'; });
}

// "<{kind}no=n>", the body, "</{kind} no = n>", CR LF.
std::string Record(std::string_view kind, int n, std::string_view body) {
    const std::string number = std::to_string(n);
    std::string record = "<";
    record.append(kind).append("no=").append(number).append(">").append(body);
    record.append("</").append(kind).append(" no = ").append(number).append(">\r\n");
    return record;
}

// "<key=VALUE>", or, sized, "<key size=N>VALUE", appended to `fields`.
void AppendField(std::string& fields, std::string_view key, const std::string& value, bool sized) {
    fields.append("<").append(key);
    if (sized) {
        fields.append(" size=").append(std::to_string(value.size())).append(">").append(value);
    } else {
        fields.append("=").append(value).append(">");
    }
}

// The name, the artist and the credits when there are any, the lyric: a song without credits
// is written as before there were any.
std::string Fields(const Song& song) {
    const bool sized = HasMarks(song.name) || HasMarks(song.artist) || HasMarks(song.credits) ||
                       HasMarks(song.lyric);
    std::string fields;
    // Two bytes a character, most of them Chinese, and the keys.
    fields.reserve(
        2 * (song.name.size() + song.artist.size() + song.credits.size() + song.lyric.size()) + 80);
    AppendField(fields, "songname", Ansi(song.name), sized);
    if (!song.artist.empty()) {
        AppendField(fields, "artist", Ansi(song.artist), sized);
    }
    if (!song.credits.empty()) {
        AppendField(fields, "credits", Ansi(song.credits), sized);
    }
    AppendField(fields, "lyric", Ansi(song.lyric), sized);
    return fields;
}

struct Change {
    enum class Kind { Add, Edit, Remove, Move, Begin, End };
    Kind kind;
    int n = 0;
    int to = 0;
    Song song = {};
};

// The journal's bytes, read from the front; each call moves past what it read, or fails.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    std::size_t at() const { return at_; }
    bool done() const { return at_ >= bytes_.size(); }

    bool Ahead(std::string_view literal) const {
        return bytes_.substr(at_, literal.size()) == literal;
    }
    bool Literal(std::string_view literal) {
        if (bytes_.substr(at_, literal.size()) != literal) {
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
        return digits > 0 ? std::optional(value) : std::nullopt;
    }
    // The bytes up to the next '>', which stays.
    std::optional<std::string_view> UpTo(char end) {
        const std::size_t found = bytes_.find(end, at_);
        if (found == std::string_view::npos) {
            return std::nullopt;
        }
        return Take(found - at_);
    }
    std::optional<std::string_view> Take(std::size_t count) {
        if (count > bytes_.size() - at_) {
            return std::nullopt;
        }
        const std::string_view taken = bytes_.substr(at_, count);
        at_ += count;
        return taken;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
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
    return size && in.Literal(">") ? in.Take(*size) : std::nullopt;
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
    static constexpr struct {
        std::string_view opening, closing;
        Kind kind;
    } kKinds[] = {
        {"<songno=", "</song no = ", Kind::Add},        {"<editno=", "</edit no = ", Kind::Edit},
        {"<removeno=", "</remove no = ", Kind::Remove}, {"<moveno=", "</move no = ", Kind::Move},
        {"<beginno=", "</begin no = ", Kind::Begin},    {"<endno=", "</end no = ", Kind::End}};
    for (const auto& [opening, closingTag, kind] : kKinds) {
        if (!in.Literal(opening)) {
            continue;
        }
        Change change{kind};
        const auto n = in.Number();
        if (!n || !in.Literal(">")) {
            return std::nullopt;
        }
        change.n = *n;
        if (kind == Kind::Add || kind == Kind::Edit) {
            auto song = ReadFields(in);
            if (!song) {
                return std::nullopt;
            }
            change.song = *std::move(song);
        } else if (kind == Kind::Move) {
            const auto to = in.Literal("<to=") ? in.Number() : std::nullopt;
            if (!to || !in.Literal(">")) {
                return std::nullopt;
            }
            change.to = *to;
        }
        const auto closing = in.Literal(closingTag) ? in.Number() : std::nullopt;
        if (closing != n || !in.Literal(">\r\n")) {
            return std::nullopt;
        }
        return change;
    }
    return std::nullopt;
}

bool IsPlace(int n, std::size_t count) {
    return n >= 1 && static_cast<std::size_t>(n) <= count;
}

// Makes the change on the songs, or says it is impossible.
bool Apply(std::vector<Song>& songs, Change& change) {
    using Kind = Change::Kind;
    const auto at = [&](int n) { return songs.begin() + (n - 1); };
    switch (change.kind) {
        case Kind::Add:
            if (!IsPlace(change.n, songs.size() + 1) || songs.size() >= kMaxSongs) {
                return false;
            }
            songs.insert(at(change.n), std::move(change.song));
            return true;
        case Kind::Edit:
            if (!IsPlace(change.n, songs.size())) {
                return false;
            }
            *at(change.n) = std::move(change.song);
            return true;
        case Kind::Remove:
            if (!IsPlace(change.n, songs.size())) {
                return false;
            }
            songs.erase(at(change.n));
            return true;
        case Kind::Move:
            if (!IsPlace(change.n, songs.size()) || !IsPlace(change.to, songs.size())) {
                return false;
            }
            {
                Song moved = std::move(*at(change.n));
                songs.erase(at(change.n));
                songs.insert(at(change.to), std::move(moved));
            }
            return true;
        default:
            return true;
    }
}

}  // namespace

std::string AddRecord(int n, const Song& song) {
    return Record("song", n, Fields(song));
}

std::string EditRecord(int n, const Song& song) {
    return Record("edit", n, Fields(song));
}

std::string RemoveRecord(int n) {
    return Record("remove", n, {});
}

std::string MoveRecord(int n, int to) {
    return Record("move", n, "<to=" + std::to_string(to) + ">");
}

std::string BeginRecord(int group) {
    return Record("begin", group, {});
}

std::string EndRecord(int group) {
    return Record("end", group, {});
}

std::string JournalOf(const SongCollection& songs) {
    std::string journal;
    for (int n = 1; n <= songs.SongCount(); ++n) {
        journal += AddRecord(n, songs.At(n));
    }
    return journal;
}

Replay ReplayJournal(std::string_view journal) {
    Replay replay;
    // Inside a group: the songs before it, and its number.
    std::optional<std::pair<std::vector<Song>, int>> open;
    Reader in(journal);
    while (!in.done()) {
        std::optional<Change> change = ReadRecord(in);
        if (!change) {
            break;
        }
        if (change->kind == Change::Kind::Begin) {
            if (open) {
                break;
            }
            open.emplace(replay.songs, change->n);
        } else if (change->kind == Change::Kind::End) {
            if (!open || open->second != change->n) {
                break;
            }
            open.reset();
        } else if (!Apply(replay.songs, *change)) {
            break;
        }
        if (!open) {
            replay.length = in.at();
        }
    }
    if (open) {
        replay.songs = std::move(open->first);
    }
    return replay;
}

}  // namespace velmora
