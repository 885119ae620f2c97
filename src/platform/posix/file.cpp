// The calls on a file that the system answers: its opening, size, type, position and length.
#include "platform/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/system_calls.h"

namespace velmora {
namespace {

int Flags(File::Mode mode) {
    switch (mode) {
        case File::Mode::OpenExisting:
            return O_RDONLY;
        case File::Mode::OpenNoWait:
            return O_RDONLY | O_NONBLOCK;
        case File::Mode::OpenToWrite:
            return O_RDWR;
        case File::Mode::OpenAlways:
            return O_RDWR | O_CREAT;
        case File::Mode::CreateAlways:
            return O_RDWR | O_CREAT | O_TRUNC;
        case File::Mode::CreateNew:
            return O_RDWR | O_CREAT | O_EXCL;
        case File::Mode::AppendTo:
            return O_WRONLY | O_APPEND;
    }
    return O_RDONLY;
}

}  // namespace

File::File(const std::filesystem::path& path, Mode mode) {
    fd_ = sys::Open(path.c_str(), Flags(mode) | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    // A directory opens for reading on POSIX; as a file it does not exist. (Opening one
    // for writing fails by itself.)
    if (mode == Mode::OpenExisting && S_ISDIR(type())) {
        close();
        error_ = EISDIR;
    }
}

std::optional<std::uint64_t> File::size() {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        fail();
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

unsigned File::type() {
    struct stat info {};
    return ::fstat(fd_, &info) == 0 ? info.st_mode & S_IFMT : 0;
}

bool File::linked() {
    struct stat info {};
    return ::fstat(fd_, &info) == 0 && info.st_nlink > 0;
}

bool File::seek(std::uint64_t offset) {
    return ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0 || fail();
}

std::optional<std::uint64_t> File::seekToEnd() {
    const off_t end = ::lseek(fd_, 0, SEEK_END);
    if (end < 0) {
        fail();
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(end);
}

std::optional<std::size_t> File::readAt(void* buffer, std::size_t length,
                                        std::uint64_t offset) const {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t count =
            ::pread(fd_, bytes + done, length - done, static_cast<off_t>(offset + done));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        done += static_cast<std::size_t>(count);
    }
    return done;
}

bool File::truncate(std::uint64_t length) {
    return ::ftruncate(fd_, static_cast<off_t>(length)) == 0 || fail();
}

bool File::setMode(unsigned mode) {
    return ::fchmod(fd_, static_cast<mode_t>(mode)) == 0 || fail();
}

}  // namespace velmora
