#include "workspace/journal_reading.h"

#include <string>

#include "text/code_page.h"
#include "text/text_utf.h"

namespace velmora {
namespace {

constexpr std::string_view kOpenings[] = {
    "<songno=", "<editno=", "<removeno=", "<moveno=", "<beginno=", "<endno="};

std::u16string FromAnsi(std::string_view bytes) {
    return codepage::Decode(bytes, mTextUTF::AnsiCodePage).value_or(std::u16string());
}

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

std::optional<Change> ReadChange(Reader& in) {
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

}  // namespace

RecordRead ReadRecord(std::string_view bytes) {
    Reader in(bytes);
    RecordRead read;
    read.change = ReadChange(in);
    read.length = in.at();
    read.cutOff = !read.change && in.Short();
    return read;
}

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

}  // namespace velmora
