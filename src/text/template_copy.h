#pragma once
// Template files, read through the ANSI code page and copied into the work directory. A
// template that cannot be read whole ends the operation that needed it.

#include <filesystem>
#include <string>

namespace velmora {

// A template's text as one printed line (its text, decoded from the ANSI code page, and
// CR LF). Raises a Failure (CannotReadTemplate) when it cannot be read.
std::u16string TemplateLine(const std::filesystem::path& path);
// A template's bytes as they are (mimetype, the cover). Raises the same Failure.
std::string TemplateBytes(const std::filesystem::path& path);

// Appends the source's text to the target as one printed line (text, CR LF). Raises a
// Failure when the source cannot be read (the target is then untouched) or the target
// cannot be written.
void WritrFile(const std::filesystem::path& SourceFile, const std::filesystem::path& AimFile);

}  // namespace velmora
