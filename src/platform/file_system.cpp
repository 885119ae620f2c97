#include "platform/file_system.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "platform/file.h"
#include "platform/file_status.h"
#include "platform/folder_entries.h"
#include "platform/system_calls.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// A chain of links longer than this is a loop (the kernel's own limit).
constexpr int kMostLinks = 40;

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

}  // namespace velmora
