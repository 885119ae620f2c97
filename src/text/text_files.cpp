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

void Check(const std::filesystem::path& path, int error) {
    if (error != 0) {
        throw Failure(Problem::CannotWrite, path, error);
    }
}

}  // namespace

void AppendAnsiText(const std::filesystem::path& path, std::u16string_view text) {
    Check(path, AppendToFile(path, Ansi(text)));
}

std::string Utf8Document(std::u16string_view text) {
    std::string bytes = "\xEF\xBB\xBF";
    codepage::AppendUtf8(bytes, text);
    return bytes;
}

void SaveAnsiFile(const std::filesystem::path& path, std::u16string_view text) {
    SaveBytes(path, Ansi(text));
}

void SaveBytes(const std::filesystem::path& path, std::string_view bytes) {
    Check(path, ReplaceFile(path, bytes));
}

}  // namespace velmora
