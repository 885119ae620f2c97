#pragma once
// The folders of a run: its work directory under temp/, named by its start, with the epub
// tree in it; and what earlier runs that ended mid-build left in theirs.

#include <cstdint>
#include <filesystem>

#include "workspace/run_layout.h"

namespace velmora {

// Creates the run's folder temp/<stamp>/, or <stamp>_2, _3, … when taken; the path ends in a
// separator. Raises Failure(CannotCreateFolder) naming the path.
std::filesystem::path MakeWorkDir(const RunLayout& layout, std::int64_t stamp);

// Creates those folders of the work directory and its epub tree that are missing. Raises
// Failure(CannotCreateFolder) naming the path.
void MakeMissingFolders(const RunLayout& layout);

// Clears what earlier runs that ended mid-build left in their folders; this run's own (the
// layout's work directory) is left alone.
void ClearEarlierRuns(const RunLayout& layout);

}  // namespace velmora
