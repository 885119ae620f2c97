#pragma once
// Whole text files written in one piece: appended in the ANSI code page (the song log,
// template copies), or saved as UTF-8 with a byte-order mark (pages and documents).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

// Appends the text in the ANSI code page with one write; the file is created when missing.
// Returns the file's former length. Raises a Failure naming the path; a failed append
// leaves the file at its former length.
std::uint64_t AppendAnsiText(const std::filesystem::path& path, std::u16string_view text);

// Replaces the file with EF BB BF and the text in UTF-8 (SaveText, code 1). Raises a
// Failure naming the path.
void SaveUtf8File(const std::filesystem::path& path, const std::u16string& text);

}  // namespace velmora
