#pragma once
// What stat(2) tells of a path, its links followed, for the calls of this layer that need
// more of a file than file_system.h answers: its type and its permissions.

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>

namespace velmora {

#ifdef _WIN32
using FileStat = struct _stat64;
#else
using FileStat = struct stat;
#endif

// None for a path that names nothing (or nothing this user may look at).
inline std::optional<FileStat> StatOf(const std::filesystem::path& path) {
    FileStat info{};
#ifdef _WIN32
    // The C runtime finds no folder named with a separator at its end, but the root's.
    std::wstring name = path.native();
    while (name.size() > 3 && (name.back() == L'\\' || name.back() == L'/')) {
        name.pop_back();
    }
    const int rc = ::_wstat64(name.c_str(), &info);
#else
    const int rc = ::stat(path.c_str(), &info);
#endif
    if (rc != 0) {
        return std::nullopt;
    }
    return info;
}

}  // namespace velmora
