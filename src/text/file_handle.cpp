#include "text/file_handle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace velmora {
namespace {

int Flags(FileHandle::Mode mode) {
    switch (mode) {
        case FileHandle::Mode::OpenExisting:
            return O_RDONLY;
        case FileHandle::Mode::OpenAlways:
            return O_RDWR | O_CREAT;
        case FileHandle::Mode::CreateAlways:
            return O_RDWR | O_CREAT | O_TRUNC;
    }
    return O_RDONLY;
}

}  // namespace

FileHandle::FileHandle(const std::filesystem::path& path, Mode mode) {
    fd_ = ::open(path.c_str(), Flags(mode) | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    // A directory opens for reading on POSIX; as a file it does not exist. (Opening one
    // for writing fails by itself.)
    struct stat info {};
    if (mode != Mode::OpenExisting || ::fstat(fd_, &info) != 0) {
        return;
    }
    if (S_ISDIR(info.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        error_ = EISDIR;
        return;
    }
    openedSize_ = static_cast<std::uint64_t>(info.st_size);
}

FileHandle::~FileHandle() {
    close();
}

std::optional<std::uint64_t> FileHandle::size() {
    if (openedSize_) {
        return openedSize_;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        error_ = errno;
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

bool FileHandle::seek(std::uint64_t offset) {
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) {
        error_ = errno;
        return false;
    }
    return true;
}

std::optional<std::uint64_t> FileHandle::seekToEnd() {
    const off_t end = ::lseek(fd_, 0, SEEK_END);
    if (end < 0) {
        error_ = errno;
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(end);
}

std::int64_t FileHandle::read(void* buffer, std::size_t length) {
    ssize_t count = 0;
    do {
        count = ::read(fd_, buffer, length);
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        error_ = errno;
    }
    return count;
}

bool FileHandle::write(const void* buffer, std::size_t length) {
    const auto* bytes = static_cast<const char*>(buffer);
    while (length > 0) {
        const ssize_t count = ::write(fd_, bytes, length);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            error_ = count < 0 ? errno : ENOSPC;
            return false;
        }
        bytes += count;
        length -= static_cast<std::size_t>(count);
    }
    return true;
}

bool FileHandle::truncate(std::uint64_t length) {
    if (::ftruncate(fd_, static_cast<off_t>(length)) != 0) {
        error_ = errno;
        return false;
    }
    return true;
}

bool FileHandle::close() {
    if (fd_ < 0) {
        return true;
    }
    // Don't retry close on EINTR: the descriptor is gone either way on Linux.
    const int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0 && errno != EINTR) {
        error_ = errno;
        return false;
    }
    return true;
}

}  // namespace velmora
