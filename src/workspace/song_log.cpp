#include "workspace/song_log.h"

#include "text/failure.h"
#include "text/file_handle.h"
#include "text/text_files.h"
#include "text/xml_text.h"

namespace velmora {

std::u16string SongLogRecord(int songNumber, std::u16string_view name, std::u16string_view lyric) {
    const std::u16string number = Decimal(songNumber);
    std::u16string record = u"<songno=" + number + u"><songname=";
    record += name;
    record += u"><lyric=";
    record += lyric;
    record += u"></song no = " + number + u">";
    return record;
}

SongLog::SongLog(std::filesystem::path path) : path_(std::move(path)) {}

void SongLog::Create() {
    FileHandle file(path_, FileHandle::Mode::CreateAlways);
    if (!file.isOpen() || !file.close()) {
        throw Failure::FromErrno(u"无法创建歌曲记录", path_, file.error());
    }
}

void SongLog::Append(int songNumber, std::u16string_view name, std::u16string_view lyric) {
    lengthBefore_ = AppendAnsiText(path_, SongLogRecord(songNumber, name, lyric) + u"\r\n");
}

void SongLog::TakeBack() {
    if (lengthBefore_) {
        FileHandle(path_, FileHandle::Mode::OpenAlways).truncate(*lengthBefore_);
    }
}

}  // namespace velmora
