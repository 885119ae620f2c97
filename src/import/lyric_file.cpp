#include "import/lyric_file.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "text/code_page.h"
#include "text/text_utf.h"

namespace velmora {
namespace {

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

// The text with every word timing "<mm:ss.xx>" taken out.
std::u16string WithoutWordTimings(std::u16string_view text) {
    std::u16string plain;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t close =
            text[at] == u'<' ? text.find(u'>', at) : std::u16string_view::npos;
        if (close != std::u16string_view::npos &&
            TimeOf(text.substr(at + 1, close - at - 1)) >= 0) {
            at = close + 1;
        } else {
            plain.push_back(text[at++]);
        }
    }
    return plain;
}

struct TimedLine {
    long time;  // milliseconds; an untimed line takes the time of the line before it
    std::u16string text;
};

}  // namespace

std::optional<std::u16string> DecodeLyricFile(std::string_view bytes) {
    std::uint32_t head = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(4, bytes.size()); ++i) {
        head |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    mTextUTF::TextEncoding encoding = mTextUTF::kAnsi;
    const auto mark = static_cast<std::size_t>(mTextUTF::BomToEncoding(head, encoding));
    const std::string_view content = bytes.substr(std::min(mark, bytes.size()));
    switch (encoding) {
        case mTextUTF::kUtf16LE:
        case mTextUTF::kUtf16BE:
            return codepage::DecodeUtf16(content, encoding == mTextUTF::kUtf16BE);
        case mTextUTF::kUtf32LE:
        case mTextUTF::kUtf32BE:
            return codepage::DecodeUtf32(content, encoding == mTextUTF::kUtf32BE);
        default:
            break;
    }
    if (content.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    return encoding == mTextUTF::kUtf8 || codepage::IsValidUtf8(content)
               ? codepage::FromUtf8(content)
               : codepage::Decode(content, codepage::kGb18030).value();
}

std::u16string WithCrLf(std::u16string_view text) {
    std::u16string crlf;
    const std::vector<std::u16string_view> lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        crlf.append(i == 0 ? u"" : u"\r\n").append(lines[i]);
    }
    return crlf;
}

Song SongFromLrc(std::u16string_view text, std::u16string_view fileName) {
    Song song{std::u16string(fileName), {}};
    std::vector<TimedLine> timed;
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
        lines.push_back(line.text);
    }
    song.lyric = Lyric(lines);
    return song;
}

Song SongFromText(std::u16string_view text, std::u16string_view fileName) {
    std::vector<std::u16string> lines;
    for (const std::u16string_view line : SplitLines(text)) {
        lines.emplace_back(line);
    }
    return {std::u16string(fileName), Lyric(lines)};
}

}  // namespace velmora
