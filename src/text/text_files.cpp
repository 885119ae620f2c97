#include "text/text_files.h"

#include <cerrno>

#include "text/code_page.h"
#include "text/failure.h"
#include "text/file_handle.h"
#include "text/text_utf.h"

namespace velmora {

std::uint64_t AppendAnsiText(const std::filesystem::path& path, std::u16string_view text) {
    const std::string bytes =
        codepage::Encode(text, mTextUTF::AnsiCodePage).value_or(std::string());
    FileHandle file(path, FileHandle::Mode::OpenAlways);
    if (!file.isOpen()) {
        throw Failure::FromErrno(u"无法打开文件", path, file.error());
    }
    const auto start = file.seekToEnd();
    if (!start) {
        throw Failure::FromErrno(u"无法写入文件", path, file.error());
    }
    if (!file.write(bytes.data(), bytes.size()) || !file.close()) {
        const int error = file.error();
        // Take back what part of the text did get in.
        FileHandle(path, FileHandle::Mode::OpenAlways).truncate(*start);
        throw Failure::FromErrno(u"无法写入文件", path, error);
    }
    return *start;
}

void SaveUtf8File(const std::filesystem::path& path, const std::u16string& text) {
    errno = 0;
    mTextUTF::TextEncoding utf8 = mTextUTF::kUtf8;
    if (!mTextUTF::SaveText(path, text, false, utf8, mTextUTF::kDetect)) {
        throw Failure::FromErrno(u"无法写入文件", path, errno != 0 ? errno : EIO);
    }
}

}  // namespace velmora
