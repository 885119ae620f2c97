#include "workspace/song_log.h"

#include "text/xml_text.h"
#include "workspace/song_collection.h"

namespace velmora {

namespace {

// "<{kind}no=n>", the body, "</{kind} no = n>", CR LF.
std::u16string Record(std::u16string_view kind, int songNumber, std::u16string_view body) {
    const std::u16string number = Decimal(songNumber);
    std::u16string record = u"<";
    record.append(kind).append(u"no=").append(number).append(u">").append(body);
    record.append(u"</").append(kind).append(u" no = ").append(number).append(u">\r\n");
    return record;
}

std::u16string NameAndLyric(std::u16string_view name, std::u16string_view lyric) {
    std::u16string body = u"<songname=";
    body += name;
    body += u"><lyric=";
    body += lyric;
    return body + u">";
}

}  // namespace

std::u16string SongLogRecord(int songNumber, std::u16string_view name, std::u16string_view lyric) {
    return Record(u"song", songNumber, NameAndLyric(name, lyric));
}

std::u16string EditLogRecord(int songNumber, std::u16string_view name, std::u16string_view lyric) {
    return Record(u"edit", songNumber, NameAndLyric(name, lyric));
}

std::u16string RemoveLogRecord(int songNumber) {
    return Record(u"remove", songNumber, {});
}

std::u16string MoveLogRecord(int songNumber, int place) {
    return Record(u"move", songNumber, u"<to=" + Decimal(place) + u">");
}

std::u16string SongLogOf(const SongCollection& songs) {
    std::u16string log;
    for (int n = 1; n <= songs.SongCount(); ++n) {
        log += SongLogRecord(n, songs.At(n).name, songs.At(n).lyric);
    }
    return log;
}

}  // namespace velmora
