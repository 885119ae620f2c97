#include "import/lyric_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "text/failure.h"
#include "text/limits.h"

namespace velmora {
namespace {

// The name a song has, and the one it goes by when its text names none.
using SongNames = std::array<std::u16string_view, 2>;

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000' || c == u'\uFEFF';
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    lines.push_back(text.substr(start));
    return lines;
}

// The lines joined with CR LF, blank lines at either end left out.
std::u16string Lyric(const std::vector<std::u16string>& lines) {
    const auto blank = [](const std::u16string& line) { return Trimmed(line).empty(); };
    const auto first = std::find_if_not(lines.begin(), lines.end(), blank);
    const auto last = std::find_if_not(lines.rbegin(), lines.rend(), blank).base();
    std::u16string lyric;
    for (auto line = first; line < last; ++line) {
        lyric += (line == first ? u"" : u"\r\n") + *line;
    }
    return lyric;
}

// Digits at `at`, moved past: their value, or -1 when there are none.
long Number(std::u16string_view text, std::size_t& at, std::size_t& digits) {
    long value = 0;
    digits = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9' && digits < 9; ++at, ++digits) {
        value = value * 10 + (text[at] - u'0');
    }
    return digits > 0 ? value : -1;
}

// "mm:ss", "mm:ss.xx", "mm:ss:xx" or "mm:ss.xxx" as milliseconds; -1 when it is none.
long TimeOf(std::u16string_view tag) {
    std::size_t at = 0;
    std::size_t digits = 0;
    const long minutes = Number(tag, at, digits);
    if (minutes < 0 || at >= tag.size() || tag[at++] != u':') {
        return -1;
    }
    const long seconds = Number(tag, at, digits);
    if (seconds < 0 || seconds > 59 || digits > 2) {
        return -1;
    }
    long fraction = 0;
    if (at < tag.size() && (tag[at] == u'.' || tag[at] == u':')) {
        ++at;
        const long value = Number(tag, at, digits);
        if (value < 0 || digits > 3) {
            return -1;
        }
        fraction = digits == 1 ? value * 100 : digits == 2 ? value * 10 : value;
    }
    return at == tag.size() ? (minutes * 60 + seconds) * 1000 + fraction : -1;
}

// "ar:…", "offset:…": letters, a colon, anything.
bool IsIdTag(std::u16string_view tag) {
    const std::size_t colon = tag.find(u':');
    return colon != 0 && colon != std::u16string_view::npos &&
           std::all_of(
               tag.begin(), tag.begin() + static_cast<std::ptrdiff_t>(colon),
               [](char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); });
}

// The text with every word timing "<mm:ss.xx>" taken out. The next ">" is looked for once
// and kept until passed: a text of many "<" and one ">" is read once, not once for each.
std::u16string WithoutWordTimings(std::u16string_view text) {
    std::u16string plain;
    plain.reserve(text.size());
    std::size_t close = text.find(u'>');
    for (std::size_t at = 0; at < text.size();) {
        if (close != std::u16string_view::npos && close <= at) {
            close = text.find(u'>', at);
        }
        if (text[at] == u'<' && close != std::u16string_view::npos &&
            TimeOf(text.substr(at + 1, close - at - 1)) >= 0) {
            at = close + 1;
        } else {
            plain.push_back(text[at++]);
        }
    }
    return plain;
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// "词：…", "作曲 : …", "Music: …": a line naming who wrote or made the song.
bool IsCreditLine(std::u16string_view line) {
    static constexpr std::u16string_view kRoles[] = {
        u"作词",       u"作曲",     u"编曲",        u"词曲",     u"制作人",   u"词",      u"曲",
        u"作詞",       u"編曲",     u"詞曲",        u"製作人",   u"詞",       u"Lyrics",  u"Music",
        u"Written by", u"Composer", u"Composed by", u"Lyricist", u"Arranger", u"Producer"};
    line = Trimmed(line);
    return std::any_of(std::begin(kRoles), std::end(kRoles), [line](std::u16string_view role) {
        const std::u16string_view rest = Trimmed(line.substr(std::min(role.size(), line.size())));
        return line.starts_with(role) && (rest.starts_with(u'：') || rest.starts_with(u':'));
    });
}

// "歌名 - 歌手", as players put it over a lyric: taken for one when a side is one of the
// song's names, or when credit lines follow it.
bool IsTitleLine(std::u16string_view line, const SongNames& names, bool creditsFollow) {
    const std::size_t dash = line.find(u" - ");
    if (dash == std::u16string_view::npos) {
        return false;
    }
    const std::u16string_view left = Trimmed(line.substr(0, dash));
    const std::u16string_view right = Trimmed(line.substr(dash + 3));
    const auto named = [&names](std::u16string_view side) {
        return std::find(names.begin(), names.end(), side) != names.end();
    };
    return !left.empty() && !right.empty() && (creditsFollow || named(left) || named(right));
}

// The credits at the top of the lyric, taken out of its lines and joined with CR LF: its
// title line, then the lines naming its makers, the blank lines among them dropped.
std::u16string TakeCredits(std::vector<std::u16string>& lines, const SongNames& names) {
    const auto next = [&lines](std::vector<std::u16string>::iterator from) {
        return std::find_if_not(from, lines.end(),
                                [](const std::u16string& line) { return Trimmed(line).empty(); });
    };
    auto at = next(lines.begin());
    std::u16string credits;
    const auto take = [&] {
        credits.append(credits.empty() ? u"" : u"\r\n").append(Trimmed(*at));
        at = next(at + 1);
    };
    if (at != lines.end()) {
        const auto after = next(at + 1);
        if (IsTitleLine(*at, names, after != lines.end() && IsCreditLine(*after))) {
            take();
        }
    }
    while (at != lines.end() && IsCreditLine(*at)) {
        take();
    }
    lines.erase(lines.begin(), at);
    return credits;
}

struct TimedLine {
    long time;  // milliseconds; an untimed line takes the time of the line before it
    std::u16string text;
};

}  // namespace

std::u16string WithCrLf(std::u16string_view text) {
    std::u16string crlf;
    const std::vector<std::u16string_view> lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        crlf.append(i == 0 ? u"" : u"\r\n").append(lines[i]);
    }
    return crlf;
}

Song SongFromFileName(std::u16string_view stem) {
    std::u16string_view name = stem;
    std::size_t digits = 0;
    while (digits < name.size() && digits < 3 && IsDigit(name[digits])) {
        ++digits;
    }
    // "08 x", "08. x", "08-x", "08_x": a track number, when something follows it.
    std::size_t after = digits;
    if (digits > 0 && after < name.size() &&
        (name[after] == u'.' || name[after] == u'-' || name[after] == u'_')) {
        ++after;
    }
    const bool numbered = after > digits || (after < name.size() && name[after] == u' ');
    if (digits > 0 && numbered && !Trimmed(name.substr(after)).empty()) {
        name = Trimmed(name.substr(after));
    }
    const std::size_t dash = name.find(u" - ");
    if (dash != std::u16string_view::npos) {
        const std::u16string_view artist = Trimmed(name.substr(0, dash));
        const std::u16string_view title = Trimmed(name.substr(dash + 3));
        if (!artist.empty() && !title.empty()) {
            return {std::u16string(title), {}, std::u16string(artist)};
        }
    }
    return {std::u16string(name), {}};
}

Song SongFromLrc(std::u16string_view text, std::u16string_view fileName,
                 std::u16string_view otherName) {
    Song song = SongFromFileName(fileName);
    std::vector<TimedLine> timed;
    std::size_t length = 0;
    long lastTime = -1;
    for (const std::u16string_view raw : SplitLines(text)) {
        std::u16string_view line = Trimmed(raw);
        std::vector<long> times;
        bool tagged = false;
        while (line.size() > 1 && line.front() == u'[' &&
               line.find(u']') != std::u16string_view::npos) {
            const std::size_t close = line.find(u']');
            const std::u16string_view tag = line.substr(1, close - 1);
            const long time = TimeOf(tag);
            if (time >= 0) {
                times.push_back(time);
            } else if (IsIdTag(tag)) {
                const std::u16string_view value = Trimmed(tag.substr(tag.find(u':') + 1));
                if (tag.starts_with(u"ti:") && !value.empty()) {
                    song.name = value;
                } else if (tag.starts_with(u"ar:") && !value.empty()) {
                    song.artist = value;
                }
            } else {
                break;  // "[chorus]" and the like are text
            }
            tagged = true;
            line = Trimmed(line.substr(close + 1));
        }
        const std::u16string words = std::u16string(Trimmed(WithoutWordTimings(line)));
        if (times.empty() && (tagged || words.empty())) {
            continue;
        }
        // Counted before it is made: 50,000 tags on one long line would make gigabytes.
        length += (words.size() + 2) * std::max<std::size_t>(times.size(), 1);
        if (length > kLongestLyric) {
            throw Failure(Problem::LyricTooLong);
        }
        for (const long time : times.empty() ? std::vector<long>{lastTime} : times) {
            timed.push_back({time, words});
        }
        if (!times.empty()) {
            lastTime = times.front();
        }
    }
    std::stable_sort(timed.begin(), timed.end(),
                     [](const TimedLine& a, const TimedLine& b) { return a.time < b.time; });
    std::vector<std::u16string> lines;
    for (const TimedLine& line : timed) {
        // A time with no text breaks the verses; breaks in a row are one.
        if (!line.text.empty() || lines.empty() || !lines.back().empty()) {
            lines.push_back(line.text);
        }
    }
    song.credits = TakeCredits(lines, {song.name, otherName});
    song.lyric = Lyric(lines);
    return song;
}

bool HasTimeTags(std::u16string_view text) {
    for (const std::u16string_view raw : SplitLines(text)) {
        for (std::u16string_view line = Trimmed(raw);
             !line.empty() && line.front() == u'[' &&
             line.find(u']') != std::u16string_view::npos;) {
            const std::u16string_view tag = line.substr(1, line.find(u']') - 1);
            if (TimeOf(tag) >= 0) {
                return true;
            }
            if (!IsIdTag(tag)) {
                break;
            }
            line = Trimmed(line.substr(line.find(u']') + 1));
        }
    }
    return false;
}

Song SongFromText(std::u16string_view text, std::u16string_view fileName,
                  std::u16string_view otherName) {
    std::vector<std::u16string> lines;
    for (const std::u16string_view line : SplitLines(text)) {
        lines.emplace_back(line);
    }
    Song song = SongFromFileName(fileName);
    song.credits = TakeCredits(lines, {song.name, otherName});
    song.lyric = Lyric(lines);
    return song;
}

std::optional<Song> WithCreditsTakenOut(const Song& song) {
    std::vector<std::u16string> lines;
    for (const std::u16string_view line : SplitLines(song.lyric)) {
        lines.emplace_back(line);
    }
    const std::u16string credits = TakeCredits(lines, {song.name, song.artist});
    std::u16string lyric = Lyric(lines);
    if (credits.empty() || lyric.empty()) {
        return std::nullopt;
    }
    Song credited = song;
    credited.credits.append(song.credits.empty() ? u"" : u"\r\n").append(credits);
    credited.lyric = std::move(lyric);
    return credited;
}

}  // namespace velmora
