// What the system answers of folders and files: their listings, identities and rights.
#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/file_status.h"
#include "platform/folder_entries.h"
#include "platform/system_calls.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

bool IsExecutableFile(const fs::path& path) {
    return ::access(path.c_str(), X_OK) == 0 && !IsDirectory(path);
}

using Listing = std::unique_ptr<DIR, int (*)(DIR*)>;

// A folder's listing, opened through the calls a test can make fail; none, with errno, when
// it cannot be read.
Listing OpenListing(const fs::path& folder) {
    const int fd = sys::Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    DIR* listing = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (fd >= 0 && listing == nullptr) {
        const int error = errno;
        sys::Close(fd);
        errno = error;
    }
    return Listing(listing, ::closedir);
}
}  // namespace

int ListInto(const fs::path& folder, std::vector<fs::path>& files, std::vector<fs::path>& folders) {
    const Listing listing = OpenListing(folder);
    if (!listing) {
        return errno;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        fs::path path = folder / name;
        struct stat info {};
        const bool known = entry->d_type != DT_UNKNOWN;
        const bool link = known ? entry->d_type == DT_LNK
                                : ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
        const bool isFolder = known && !link ? entry->d_type == DT_DIR : IsDirectory(path);
        if (!isFolder) {
            files.push_back(std::move(path));
        } else if (!link) {
            folders.push_back(std::move(path));
        }
        errno = 0;
    }
    return errno;
}

bool IsWritableFolder(const fs::path& path) {
    return IsDirectory(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

bool SameFile(const fs::path& a, const fs::path& b) {
    const auto first = StatOf(a);
    const auto second = StatOf(b);
    return first && second && first->st_dev == second->st_dev && first->st_ino == second->st_ino;
}

std::optional<std::int64_t> LastChanged(const fs::path& path) {
    const auto info = StatOf(path);
    if (!info) {
        return std::nullopt;
    }
    return std::int64_t{info->st_mtim.tv_sec} * 1'000'000'000 + info->st_mtim.tv_nsec;
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> FileIdentity(const fs::path& path) {
    const auto info = StatOf(path);
    if (!info) {
        return std::nullopt;
    }
    return std::pair<std::uint64_t, std::uint64_t>(info->st_dev, info->st_ino);
}

int RemoveFile(const fs::path& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT ? 0 : errno;
}

std::vector<std::string> EntryNames(const fs::path& folder) {
    std::vector<std::string> names;
    const Listing listing = OpenListing(folder);
    while (const dirent* entry = listing ? ::readdir(listing.get()) : nullptr) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
    }
    return names;
}

std::optional<fs::path> FindProgram(const fs::path& preferred) {
    if (preferred.has_parent_path() && IsExecutableFile(preferred)) {
        return preferred;
    }
    const fs::path name = preferred.filename();
    const char* path = std::getenv("PATH");
    const std::string_view dirs = path != nullptr ? path : "";
    for (std::size_t start = 0; start <= dirs.size();) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string_view dir = dirs.substr(start, end - start);
        if (!dir.empty() && IsExecutableFile(fs::path(dir) / name)) {
            return fs::path(dir) / name;
        }
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace velmora
