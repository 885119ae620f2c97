#include "workspace/song_log.h"

#include "text/xml_text.h"
#include "workspace/song_collection.h"

namespace velmora {

std::u16string SongLogRecord(int songNumber, std::u16string_view name, std::u16string_view lyric) {
    const std::u16string number = Decimal(songNumber);
    std::u16string record = u"<songno=" + number + u"><songname=";
    record += name;
    record += u"><lyric=";
    record += lyric;
    record += u"></song no = " + number + u">\r\n";
    return record;
}

std::u16string SongLogOf(const SongCollection& songs) {
    std::u16string log;
    for (int n = 1; n <= songs.SongCount(); ++n) {
        log += SongLogRecord(n, songs.SongNames()[static_cast<std::size_t>(n)], songs.Lyric(n));
    }
    return log;
}

}  // namespace velmora
