#include "text/text_files.h"

#include "platform/file_system.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "text/text_utf.h"

namespace velmora {
namespace {

std::string Ansi(std::u16string_view text) {
    return codepage::Encode(text, mTextUTF::AnsiCodePage).value_or(std::string());
}

}  // namespace

void AppendAnsiText(const std::filesystem::path& path, std::u16string_view text) {
    if (const int error = AppendToFile(path, Ansi(text))) {
        throw Failure::FromErrno(u"无法写入文件", path, error);
    }
}

std::string Utf8Document(std::u16string_view text) {
    return "\xEF\xBB\xBF" + codepage::ToUtf8(text);
}

void SaveUtf8File(const std::filesystem::path& path, std::u16string_view text) {
    SaveBytes(path, Utf8Document(text));
}

void SaveAnsiFile(const std::filesystem::path& path, std::u16string_view text) {
    SaveBytes(path, Ansi(text));
}

void SaveBytes(const std::filesystem::path& path, std::string_view bytes) {
    if (const int error = ReplaceFile(path, bytes)) {
        throw Failure::FromErrno(u"无法写入文件", path, error);
    }
}

}  // namespace velmora
