#pragma once
// Whole files written in one piece: appended in the ANSI code page (template copies),
// written new or replaced in one step as UTF-8 with a byte-order mark
// (pages and documents), as ANSI text, or as bytes. Each raises a Failure (CannotWrite)
// naming the path and the system's reason, and leaves no half-written file behind.

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

void AppendAnsiText(const std::filesystem::path& path, std::u16string_view text);

// EF BB BF and the text in UTF-8: what SaveText writes for code 1.
std::string Utf8Document(std::u16string_view text);

void SaveAnsiFile(const std::filesystem::path& path, std::u16string_view text);
void SaveBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace velmora
