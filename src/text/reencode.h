#pragma once
// Turns a line-printed ANSI text file into UTF-8 with a byte-order mark, in place.

#include <filesystem>

namespace velmora {

// Loads the file with BOM detection and saves the same text over it as UTF-8 with BOM;
// every CR LF is kept, a file already in UTF-8 stays as it is. Raises a Failure naming
// the path when the file cannot be read or written.
void ReencodeToUtf8(const std::filesystem::path& path);

}  // namespace velmora
