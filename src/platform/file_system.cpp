#include "platform/file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "platform/file.h"
#include "platform/system_calls.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::optional<struct stat> StatOf(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info;
}

// A name beside `path` that no other writer uses, whether another call or another
// program running from the same folder.
fs::path TemporaryBeside(const fs::path& path) {
    static std::atomic<unsigned> counter{0};
    std::string name = ".";
    name += path.filename().string();
    for (const unsigned number : {static_cast<unsigned>(::getpid()), ++counter}) {
        name += '.';
        name += std::to_string(number);
    }
    return path.parent_path() / name;
}

int WriteNew(const fs::path& path, std::string_view bytes) {
    File file(path, File::Mode::CreateAlways);
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

int RenameOver(const fs::path& from, const fs::path& to) {
    const int error = RenameFile(from, to);
    if (error != 0) {
        (void)RemoveFile(from);
    }
    return error;
}

bool IsExecutableFile(const fs::path& path) {
    return ::access(path.c_str(), X_OK) == 0 && !IsDirectory(path);
}

}  // namespace

fs::path Absolute(const fs::path& path) {
    std::error_code ignored;
    const fs::path absolute = fs::absolute(path, ignored);
    return absolute.empty() ? path : absolute;
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

int RemoveFile(const fs::path& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT ? 0 : errno;
}

std::vector<fs::path> FilesBelow(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::recursive_directory_iterator
             it(folder, fs::directory_options::skip_permission_denied, error),
         end;
         !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error)) {
            files.push_back(it->path());
        }
    }
    return files;
}

void RemoveFilesIn(const fs::path& folder) {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
        (void)RemoveFile(entry.path());
    }
}

void RemoveTree(const fs::path& folder) {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

int ReplaceFile(const fs::path& path, std::string_view bytes) {
    const fs::path temporary = TemporaryBeside(path);
    const int error = WriteNew(temporary, bytes);
    return error != 0 ? error : RenameOver(temporary, path);
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

int CopyFile(const fs::path& from, const fs::path& to) {
    File source(from, File::Mode::OpenExisting);
    const auto bytes = source.isOpen() ? source.readToEnd() : std::nullopt;
    return bytes ? ReplaceFile(to, *bytes) : source.error();
}

int MoveFile(const fs::path& from, const fs::path& to) {
    if (const int error = RenameFile(from, to); error != EXDEV) {
        return error;
    }
    // The copy is what counts: a source left behind is the caller's to clear.
    const int error = CopyFile(from, to);
    if (error == 0) {
        (void)RemoveFile(from);
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
