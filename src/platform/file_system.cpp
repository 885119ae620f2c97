#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/file.h"
#include "platform/file_status.h"
#include "platform/system_calls.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// A chain of links longer than this is a loop (the kernel's own limit).
constexpr int kMostLinks = 40;

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

// The folder's entries: folders onto `folders`, everything else onto `files` (FIFOs, sockets
// and devices too, to be refused by whoever would read them, not passed over in silence).
// Links to folders are not followed, so no loop of links holds the import. 0, or the errno
// of a folder that cannot be read.
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

}  // namespace

fs::path Absolute(const fs::path& path) {
    std::error_code ignored;
    const fs::path absolute = fs::absolute(path, ignored);
    return absolute.empty() ? path : absolute;
}

fs::path LinkTarget(const fs::path& path) {
    fs::path target = path;
    std::error_code error;
    for (int links = 0; links < kMostLinks && fs::is_symlink(target, error); ++links) {
        const fs::path next = fs::read_symlink(target, error);
        if (error) {
            break;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

int MakeDirectory(const fs::path& path) {
    return sys::Mkdir(path.c_str(), 0777) == 0 ? 0 : errno;
}

int MakeDirectories(const fs::path& path) {
    if (IsDirectory(path) || path == path.parent_path()) {
        return 0;
    }
    if (const int error = MakeDirectories(path.parent_path())) {
        return error;
    }
    const int error = MakeDirectory(path);
    return error == EEXIST ? 0 : error;
}

bool IsWritableFolder(const fs::path& path) {
    return IsDirectory(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

bool Exists(const fs::path& path) {
    return StatOf(path).has_value();
}

bool IsDirectory(const fs::path& path) {
    const auto info = StatOf(path);
    return info && S_ISDIR(info->st_mode);
}

int RenameFile(const fs::path& from, const fs::path& to) {
    return sys::Rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
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

FolderListing FilesBelow(const fs::path& folder) {
    FolderListing listing;
    // Folder by folder: a folder that cannot be read is named and passed over, and the
    // others are read all the same.
    std::vector<fs::path> folders{folder};
    while (!folders.empty()) {
        const fs::path at = std::move(folders.back());
        folders.pop_back();
        if (const int error = ListInto(at, listing.files, folders)) {
            listing.unreadable.emplace_back(at, error);
        }
    }
    return listing;
}

std::vector<fs::path> Entries(const fs::path& folder) {
    std::vector<fs::path> entries;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
        entries.push_back(entry.path());
    }
    return entries;
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

void RemoveFilesIn(const fs::path& folder) {
    for (const fs::path& entry : Entries(folder)) {
        (void)RemoveFile(entry);
    }
}

void RemoveTree(const fs::path& folder) {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

int WriteNewFile(const fs::path& path, std::string_view bytes) {
    File file(path, File::Mode::CreateNew);
    if (!file.isOpen()) {
        return file.error();
    }
    if (!file.write(bytes.data(), bytes.size()) || !file.close()) {
        const int error = file.error();
        file.close();
        (void)RemoveFile(path);
        return error;
    }
    return 0;
}

int AppendToFile(const fs::path& path, std::string_view bytes) {
    std::uint64_t start = 0;
    int error = 0;
    {
        File file(path, File::Mode::OpenAlways);
        const auto end = file.isOpen() ? file.seekToEnd() : std::nullopt;
        if (!end) {
            return file.error();
        }
        start = *end;
        // The close may bring a late error (delayed allocation).
        if (file.write(bytes.data(), bytes.size()) && file.close()) {
            return 0;
        }
        error = file.error();
    }
    // Take back what part of the bytes did get in; a file removed meanwhile is not
    // re-created, nor one cut shorter padded out.
    File file(path, File::Mode::OpenToWrite);
    const auto size = file.isOpen() ? file.size() : std::nullopt;
    if (size && *size > start) {
        file.truncate(start);
    }
    return error;
}

int AppendTo(File& file, std::string_view bytes) {
    std::size_t written = 0;
    if (file.write(bytes.data(), bytes.size(), &written)) {
        return 0;
    }
    const int error = file.error();
    // Take back what part of the bytes did get in: the file ends with them.
    const auto size = written > 0 ? file.size() : std::nullopt;
    if (size && *size >= written) {
        file.truncate(*size - written);
    }
    return error;
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
