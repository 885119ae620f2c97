#pragma once
// Renaming an archive's first entry where it stands. 7-Zip writes entries in name order, so
// the entry that must come first is packed under a name that sorts first and renamed after:
// in its local header and in its central directory record, the archive written once.

#include <filesystem>
#include <string_view>

namespace velmora {

// Gives the first entry of the ZIP archive at `path`, named `from`, the name `to` of the
// same length; nothing else changes. Raises a Failure: CannotWrite with the errno when the
// archive cannot be read or written, ArchiveUnexpected when its first entry is not `from`
// or its records are not where the format puts them.
void RenameFirstEntry(const std::filesystem::path& path, std::string_view from,
                      std::string_view to);

}  // namespace velmora
