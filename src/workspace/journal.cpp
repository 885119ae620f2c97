#include "workspace/journal.h"

#include <algorithm>

#include "text/code_page.h"
#include "text/limits.h"
#include "text/text_utf.h"
#include "workspace/song_collection.h"

namespace velmora {
namespace {

std::string Ansi(std::u16string_view text) {
    return codepage::Encode(text, mTextUTF::AnsiCodePage).value_or(std::string());
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

}  // namespace velmora
