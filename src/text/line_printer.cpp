#include "text/line_printer.h"

#include <cerrno>

#include "text/code_page.h"
#include "text/failure.h"
#include "text/file_handle.h"
#include "text/text_utf.h"

namespace velmora {

LinePrinter::LinePrinter(std::filesystem::path path) : path_(std::move(path)) {}

LinePrinter& LinePrinter::line(std::u16string_view text, int tabs) {
    lines_.append(static_cast<std::size_t>(tabs), u'\t');
    lines_ += text;
    lines_ += u"\r\n";
    return *this;
}

void LinePrinter::append() {
    const std::string bytes =
        codepage::Encode(lines_, mTextUTF::AnsiCodePage).value_or(std::string());
    FileHandle file(path_, FileHandle::Mode::OpenAlways);
    if (!file.isOpen()) {
        throw Failure::FromErrno(u"无法打开文件", path_, file.error());
    }
    const auto start = file.size();
    if (!start || !file.seekToEnd()) {
        throw Failure::FromErrno(u"无法写入文件", path_, file.error());
    }
    if (!file.write(bytes.data(), bytes.size()) || !file.close()) {
        const int error = file.error();
        // Take back what part of the lines did get in.
        FileHandle(path_, FileHandle::Mode::OpenAlways).truncate(*start);
        throw Failure::FromErrno(u"无法写入文件", path_, error);
    }
}

}  // namespace velmora
