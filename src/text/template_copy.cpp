#include "text/template_copy.h"

#include "text/code_page.h"
#include "text/file_handle.h"
#include "text/text_files.h"
#include "text/text_utf.h"

namespace velmora {

bool ReadAnsiFile(const std::filesystem::path& path, std::u16string& text) {
    FileHandle file(path, FileHandle::Mode::OpenExisting);
    if (!file.isOpen()) {
        return false;
    }
    // From here on the file counts as readable: a failed read gives an empty text.
    const auto size = file.size();
    if (!size || *size == 0) {
        text.clear();
        return true;
    }
    std::string bytes(static_cast<std::size_t>(*size), '\0');
    const std::int64_t count = file.read(bytes.data(), bytes.size());
    bytes.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    text = codepage::Decode(bytes, mTextUTF::AnsiCodePage).value_or(std::u16string());
    return true;
}

std::u16string TemplateLine(const std::filesystem::path& path, MessageSink& messages) {
    std::u16string text;
    if (!ReadAnsiFile(path, text)) {
        messages.showMessage(u"文件无法读入！", kAppTitle);
        return {};
    }
    return text + u"\r\n";
}

void WritrFile(const std::filesystem::path& SourceFile, const std::filesystem::path& AimFile,
               MessageSink& messages) {
    // A readable source always gives at least the line end.
    const std::u16string line = TemplateLine(SourceFile, messages);
    if (!line.empty()) {
        AppendAnsiText(AimFile, line);
    }
}

}  // namespace velmora
