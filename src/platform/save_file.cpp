#include "platform/save_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <string>

#include "platform/file.h"
#include "platform/file_status.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/system_calls.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kCopyChunk = 1024 * 1024;

// Of a target's name, what goes into its temporary file's: a name of 255 bytes (the file
// system's most) must leave room for the rest.
constexpr std::size_t kNameInTemporary = 100;

// A hidden name beside `path` that no other writer uses, whether another call or another
// program running from the same folder.
fs::path TemporaryBeside(const fs::path& path) {
    static std::atomic<unsigned> counter{0};
    std::string name = ".";
    std::string own = path.filename().string();
    // Cut at a character's start: on Windows the name must stay UTF-8.
    std::size_t keep = std::min(own.size(), kNameInTemporary);
    while (keep > 0 && keep < own.size() &&
           (static_cast<unsigned char>(own[keep]) & 0xC0) == 0x80) {
        --keep;
    }
    name += own.substr(0, keep);
    name += '.';
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(++counter);
    name += ".part";
    return path.parent_path() / PathFromText(name);
}

int RenameOver(const fs::path& from, const fs::path& to) {
    const int error = RenameFile(from, to);
    if (error != 0) {
        (void)RemoveFile(from);
    }
    return error;
}

// Makes a rename into the folder last through a power cut. A file system that cannot flush
// a folder has nothing to flush.
void SyncFolder(const fs::path& folder) {
#ifdef _WIN32
    // There a folder cannot be opened as a file, and the rename went through to the disk.
    (void)folder;
#else
    const int fd = sys::Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd >= 0) {
        sys::Fsync(fd);
        sys::Close(fd);
    }
#endif
}

// 0 when `target`, its links followed, may be replaced: it is a regular file, or nothing
// yet. A link still there is a loop; a folder, a device or a FIFO is never replaced.
int Unreplaceable(const fs::path& target) {
    std::error_code error;
    if (fs::is_symlink(target, error)) {
        return ELOOP;
    }
    const auto old = StatOf(target);
    if (!old || S_ISREG(old->st_mode)) {
        return 0;
    }
    return S_ISDIR(old->st_mode) ? EISDIR : EINVAL;
}

}  // namespace

int ReplaceFile(const fs::path& path, std::string_view bytes) {
    const fs::path temporary = TemporaryBeside(path);
    const int error = WriteNewFile(temporary, bytes);
    return error != 0 ? error : RenameOver(temporary, path);
}

SaveFile::SaveFile(const fs::path& target) : target_(LinkTarget(target)) {
    if (const int error = Unreplaceable(target_)) {
        fail(error);
        return;
    }
    temporary_ = TemporaryBeside(target_);
    file_ = std::make_unique<File>(temporary_, File::Mode::CreateNew);
    if (!file_->isOpen()) {
        fail(file_->error());
        temporary_.clear();
        return;
    }
    if (const auto old = StatOf(target_); old && S_ISREG(old->st_mode)) {
        if (!file_->setMode(old->st_mode & 07777)) {
            fail(file_->error());
        }
    }
}

SaveFile::~SaveFile() {
    file_.reset();
    if (!temporary_.empty()) {
        (void)RemoveFile(temporary_);
    }
}

bool SaveFile::fail(int error) {
    if (error_ == 0) {
        error_ = error;
    }
    return false;
}

bool SaveFile::write(std::string_view bytes) {
    return error_ == 0 && (file_->write(bytes.data(), bytes.size()) || fail(file_->error()));
}

int SaveFile::commit() {
    if (error_ == 0 && !(file_->sync() && file_->close())) {
        fail(file_->error());
    }
    if (error_ == 0 && !fail(RenameFile(temporary_, target_))) {
        temporary_.clear();
        SyncFolder(target_.parent_path());
    }
    return error_;
}

int CopyFile(const fs::path& from, const fs::path& to) {
    // The source first: one that cannot be read writes nothing.
    File source(from, File::Mode::OpenExisting);
    if (!source.isOpen()) {
        return source.error();
    }
    SaveFile copy(to);
    std::string chunk(kCopyChunk, '\0');
    for (;;) {
        const auto count = source.read(chunk.data(), chunk.size());
        if (!count) {
            return source.error();
        }
        if (!copy.write(std::string_view(chunk).substr(0, *count))) {
            break;
        }
        if (*count < chunk.size()) {
            break;
        }
    }
    return copy.commit();
}

int MoveFile(const fs::path& from, const fs::path& to) {
    const fs::path target = LinkTarget(to);
    if (const int error = Unreplaceable(target)) {
        return error;
    }
    {
        File moved(from, File::Mode::OpenToWrite);
        const auto old = StatOf(target);
        if (!moved.isOpen() || !moved.sync() ||
            (old && S_ISREG(old->st_mode) && !moved.setMode(old->st_mode & 07777))) {
            return moved.error();
        }
    }
    const int error = RenameFile(from, target);
    if (error == 0) {
        SyncFolder(target.parent_path());
        return 0;
    }
    if (error != EXDEV) {
        return error;
    }
    const int copyError = CopyFile(from, target);
    if (copyError == 0) {
        (void)RemoveFile(from);
    }
    return copyError;
}

}  // namespace velmora
