// What Windows answers of folders and files: their listings, identities and rights.
#include "platform/file_system.h"

#include <windows.h>

#include <cerrno>
#include <memory>
#include <string>

#include "platform/folder_entries.h"
#include "platform/windows/error_number.h"
#include "platform/windows/wide_text.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

struct SearchCloser {
    void operator()(HANDLE search) const { ::FindClose(search); }
};
using Search = std::unique_ptr<void, SearchCloser>;

// Each entry of the folder but "." and "..", handed to `take`; 0, or the errno of a folder
// that cannot be read.
template <typename Take>
int EachEntry(const fs::path& folder, Take take) {
    WIN32_FIND_DATAW entry{};
    const HANDLE first =
        ::FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                           nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (first == INVALID_HANDLE_VALUE) {
        return LastErrno();
    }
    const Search search(first);
    do {
        const std::wstring_view name = entry.cFileName;
        if (name != L"." && name != L"..") {
            take(entry);
        }
    } while (::FindNextFileW(first, &entry));
    return ::GetLastError() == ERROR_NO_MORE_FILES ? 0 : LastErrno();
}

// A handle on the file or folder itself, for what identifies it; none when it is not there.
struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
std::optional<BY_HANDLE_FILE_INFORMATION> InformationOf(const fs::path& path) {
    const HANDLE handle =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const std::unique_ptr<void, HandleCloser> open(handle);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle, &information)) {
        return std::nullopt;
    }
    return information;
}

bool IsFile(const fs::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

int ListInto(const fs::path& folder, std::vector<fs::path>& files, std::vector<fs::path>& folders) {
    return EachEntry(folder, [&](const WIN32_FIND_DATAW& entry) {
        const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const bool link = (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (!isFolder) {
            files.push_back(folder / entry.cFileName);
        } else if (!link) {
            folders.push_back(folder / entry.cFileName);
        }
    });
}

// Only a file made there shows it: the folder's access list decides, not a flag.
bool IsWritableFolder(const fs::path& path) {
    if (!IsDirectory(path)) {
        return false;
    }
    const fs::path probe = path / (L".velmora-" + std::to_wstring(::GetCurrentProcessId()));
    const HANDLE handle = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::CloseHandle(handle);
    return true;
}

bool SameFile(const fs::path& a, const fs::path& b) {
    return FileIdentity(a) && FileIdentity(a) == FileIdentity(b);
}

std::optional<std::int64_t> LastChanged(const fs::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    // 100 ns steps from 1601-01-01, UTC.
    constexpr std::int64_t kFrom1601To1970 = 116'444'736'000'000'000;
    const std::int64_t steps = (std::int64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                               data.ftLastWriteTime.dwLowDateTime;
    return (steps - kFrom1601To1970) * 100;
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> FileIdentity(const fs::path& path) {
    const auto information = InformationOf(path);
    if (!information) {
        return std::nullopt;
    }
    return std::pair<std::uint64_t, std::uint64_t>(
        information->dwVolumeSerialNumber,
        (std::uint64_t{information->nFileIndexHigh} << 32) | information->nFileIndexLow);
}

int RemoveFile(const fs::path& path) {
    if (::DeleteFileW(path.c_str())) {
        return 0;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : ErrnoOf(error);
}

std::vector<std::string> EntryNames(const fs::path& folder) {
    std::vector<std::string> names;
    EachEntry(folder,
              [&](const WIN32_FIND_DATAW& entry) { names.push_back(Utf8(entry.cFileName)); });
    return names;
}

// A program is a .exe: a name without one gets it, as the system's own search does.
std::optional<fs::path> FindProgram(const fs::path& preferred) {
    fs::path program = preferred;
    if (!program.has_extension()) {
        program += L".exe";
    }
    if (program.has_parent_path() && IsFile(program)) {
        return program;
    }
    wchar_t found[MAX_PATH];
    const DWORD length =
        ::SearchPathW(nullptr, program.filename().c_str(), nullptr, MAX_PATH, found, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        return std::nullopt;
    }
    return fs::path(found);
}

}  // namespace velmora
