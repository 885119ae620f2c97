#pragma once
// How the package and navigation documents refer to a song's page.

#include <string>

#include "workspace/workspace.h"

namespace velmora {

// "text/" and the last path element of SongPages slot n.
std::u16string PageHref(const Workspace& run, int songNumber);

}  // namespace velmora
