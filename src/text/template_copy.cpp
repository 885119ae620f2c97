#include "text/template_copy.h"

#include <optional>

#include "platform/file.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "text/text_files.h"
#include "text/text_utf.h"

namespace velmora {
namespace {

std::optional<std::string> ReadBytes(const std::filesystem::path& path) {
    File file(path, File::Mode::OpenExisting);
    return file.isOpen() ? file.readToEnd() : std::nullopt;
}

Failure Unreadable(const std::filesystem::path& path) {
    return Failure(u"文件无法读入！\n" + PathText(path));
}

}  // namespace

bool ReadAnsiFile(const std::filesystem::path& path, std::u16string& text) {
    const std::optional<std::string> bytes = ReadBytes(path);
    if (bytes) {
        text = codepage::Decode(*bytes, mTextUTF::AnsiCodePage).value_or(std::u16string());
    }
    return bytes.has_value();
}

std::u16string TemplateLine(const std::filesystem::path& path) {
    std::u16string text;
    if (!ReadAnsiFile(path, text)) {
        throw Unreadable(path);
    }
    return text + u"\r\n";
}

std::string TemplateBytes(const std::filesystem::path& path) {
    std::optional<std::string> bytes = ReadBytes(path);
    if (!bytes) {
        throw Unreadable(path);
    }
    return *std::move(bytes);
}

void WritrFile(const std::filesystem::path& SourceFile, const std::filesystem::path& AimFile) {
    AppendAnsiText(AimFile, TemplateLine(SourceFile));
}

}  // namespace velmora
