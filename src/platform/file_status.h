#pragma once
// What stat(2) tells of a path, its links followed, for the calls of this layer that need
// more of a file than file_system.h answers: its type and its permissions.

#include <sys/stat.h>

#include <filesystem>
#include <optional>

namespace velmora {

// None for a path that names nothing (or nothing this user may look at).
inline std::optional<struct stat> StatOf(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info;
}

}  // namespace velmora
