#include "platform/user_folders.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;

// A known folder as the user's profile says, wherever it was moved to; none when it cannot
// be told.
fs::path KnownFolder(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    fs::path folder;
    if (::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path) == S_OK) {
        folder = path;
    }
    ::CoTaskMemFree(path);
    return folder;
}

}  // namespace

fs::path HomeFolder() {
    return KnownFolder(FOLDERID_Profile);
}

// %LOCALAPPDATA%: kept on this computer, not roamed with the profile.
fs::path StateFolder() {
    return KnownFolder(FOLDERID_LocalAppData) / "Velmora";
}

fs::path ShippedData(const char* folder, const char* file) {
    std::wstring program(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
        if (length < program.size()) {
            program.resize(length);
            break;
        }
        program.resize(program.size() * 2);
    }
    // The library opens it by an 8-bit name, in the ANSI code page: the short name keeps a
    // program folder with Chinese in its name within reach.
    const fs::path data = fs::path(program).parent_path() / folder / file;
    std::wstring brief(MAX_PATH, L'\0');
    const DWORD length = ::GetShortPathNameW(data.c_str(), brief.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return data;
    }
    brief.resize(length);
    return brief;
}

fs::path DocumentsFolder() {
    const fs::path documents = KnownFolder(FOLDERID_Documents);
    return documents.empty() ? HomeFolder() / L"Documents" : documents;
}

}  // namespace velmora
