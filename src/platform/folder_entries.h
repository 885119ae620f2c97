#pragma once
// One folder's entries as the system lists them, for the walk through folders below it.

#include <filesystem>
#include <vector>

namespace velmora {

// The folder's entries: folders onto `folders`, everything else onto `files` (FIFOs, sockets
// and devices too, to be refused by whoever would read them, not passed over in silence).
// Links to folders are not followed, so no loop of links holds the import. 0, or the errno
// of a folder that cannot be read.
int ListInto(const std::filesystem::path& folder, std::vector<std::filesystem::path>& files,
             std::vector<std::filesystem::path>& folders);

}  // namespace velmora
