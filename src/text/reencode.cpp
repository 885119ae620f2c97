#include "text/reencode.h"

#include <cerrno>

#include "text/failure.h"
#include "text/text_utf.h"

namespace velmora {
namespace {

int LastError() {
    return errno != 0 ? errno : EIO;
}

}  // namespace

void ReencodeToUtf8(const std::filesystem::path& path) {
    errno = 0;
    mTextUTF::TextEncoding detected = mTextUTF::kDetect;
    const std::u16string text = mTextUTF::LoadText(path, detected);
    if (detected == mTextUTF::kDetect) {
        throw Failure::FromErrno(u"无法读取文件", path, LastError());
    }
    mTextUTF::TextEncoding utf8 = mTextUTF::kUtf8;
    if (!mTextUTF::SaveText(path, text, false, utf8, mTextUTF::kDetect)) {
        throw Failure::FromErrno(u"无法写入文件", path, LastError());
    }
}

}  // namespace velmora
