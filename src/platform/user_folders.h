#pragma once
// The user's own folders, as the desktop names them: where a program keeps its state and
// where the user keeps documents.

#include <filesystem>

namespace velmora {

// $HOME, else the user's entry in the password database.
std::filesystem::path HomeFolder();
// Where the program keeps its state: $XDG_STATE_HOME/velmora (else ~/.local/state/velmora)
// on Linux, %LOCALAPPDATA%\Velmora on Windows.
std::filesystem::path StateFolder();
// What `xdg-user-dir DOCUMENTS` names, else ~/Documents.
std::filesystem::path DocumentsFolder();

// A library's data file that comes with the program: on Linux its bare name, which the
// library looks up in its own data folder; on Windows the file in `folder` beside the
// program, where the program folder carries it.
std::filesystem::path ShippedData(const char* folder, const char* file);

}  // namespace velmora
