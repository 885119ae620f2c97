#include "text/template_copy.h"

#include "platform/file.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "text/limits.h"
#include "text/text_files.h"
#include "text/text_utf.h"

namespace velmora {

std::u16string TemplateLine(const std::filesystem::path& path) {
    const std::string bytes = TemplateBytes(path);
    return codepage::Decode(bytes, mTextUTF::AnsiCodePage).value_or(std::u16string()) + u"\r\n";
}

std::string TemplateBytes(const std::filesystem::path& path) {
    FileContent content = ReadWholeFile(path, kLargestTemplate);
    if (!content) {
        throw Failure(Problem::CannotReadTemplate, path, content.error);
    }
    return std::move(content.bytes);
}

void WritrFile(const std::filesystem::path& SourceFile, const std::filesystem::path& AimFile) {
    AppendAnsiText(AimFile, TemplateLine(SourceFile));
}

}  // namespace velmora
