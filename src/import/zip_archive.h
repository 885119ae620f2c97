#pragma once
// ZIP archives read in memory: nothing is written to disk, so no entry's name can lead
// anywhere.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace velmora {

// Every entry of the archive, by its name. An entry is refused by the size it declares
// before it is inflated, and stopped when it holds more than it declared or the entries
// together pass `limit`. Raises a Failure with the reason for an archive that is no ZIP,
// broken or too large.
std::map<std::string, std::string> ZipEntries(std::string_view zip, std::size_t limit);

}  // namespace velmora
