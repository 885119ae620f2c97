#pragma once
// The user's own folders, as the desktop names them: where a program keeps its state and
// where the user keeps documents.

#include <filesystem>

namespace velmora {

// $HOME, else the user's entry in the password database.
std::filesystem::path HomeFolder();
// $XDG_STATE_HOME, else ~/.local/state.
std::filesystem::path StateHome();
// What `xdg-user-dir DOCUMENTS` names, else ~/Documents.
std::filesystem::path DocumentsFolder();

}  // namespace velmora
