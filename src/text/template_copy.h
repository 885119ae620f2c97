#pragma once
// Copies template text files into the work directory through the ANSI code page.

#include <filesystem>
#include <string>

#include "text/message_sink.h"

namespace velmora {

// True when the file could be opened for reading; `text` then holds its content, decoded
// from the ANSI code page (empty when the read itself failed).
bool ReadAnsiFile(const std::filesystem::path& path, std::u16string& text);

// A template file's text as one printed line (its text and CR LF), as a template copy
// appends it; empty, after "文件无法读入！" through `messages`, when it cannot be read.
std::u16string TemplateLine(const std::filesystem::path& path, MessageSink& messages);

// Appends the source's text to the target as one printed line (text, CR LF). A source
// that cannot be read is reported through `messages` ("文件无法读入！") and leaves the
// target untouched; a target that cannot be written raises a Failure.
void WritrFile(const std::filesystem::path& SourceFile, const std::filesystem::path& AimFile,
               MessageSink& messages);

}  // namespace velmora
