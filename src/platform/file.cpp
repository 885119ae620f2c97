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
        case File::Mode::OpenToWrite:
            return O_RDWR;
        case File::Mode::OpenAlways:
            return O_RDWR | O_CREAT;
        case File::Mode::CreateAlways:
            return O_RDWR | O_CREAT | O_TRUNC;
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
    struct stat info {};
    if (mode == Mode::OpenExisting && ::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
        close();
        error_ = EISDIR;
    }
}

File::~File() {
    close();
}

bool File::fail() {
    error_ = errno;
    return false;
}

std::optional<std::uint64_t> File::size() {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        fail();
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
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

std::optional<std::size_t> File::read(void* buffer, std::size_t length) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t count = sys::Read(fd_, bytes + done, length - done);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            fail();
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        done += static_cast<std::size_t>(count);
    }
    return done;
}

std::optional<std::string> File::readToEnd() {
    std::string bytes;
    const auto length = size();
    if (!length) {
        return std::nullopt;
    }
    // The size is a hint: a file that grows meanwhile is read on to its end.
    std::size_t capacity = static_cast<std::size_t>(*length) + 1;
    for (;;) {
        const std::size_t start = bytes.size();
        bytes.resize(start + capacity);
        const auto count = read(bytes.data() + start, capacity);
        if (!count) {
            return std::nullopt;
        }
        bytes.resize(start + *count);
        if (*count < capacity) {
            return bytes;
        }
        capacity = 64 * 1024;
    }
}

bool File::write(const void* buffer, std::size_t length) {
    const auto* bytes = static_cast<const char*>(buffer);
    while (length > 0) {
        const ssize_t count = sys::Write(fd_, bytes, length);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return fail();
        }
        if (count == 0) {
            error_ = ENOSPC;
            return false;
        }
        bytes += count;
        length -= static_cast<std::size_t>(count);
    }
    return true;
}

bool File::truncate(std::uint64_t length) {
    return ::ftruncate(fd_, static_cast<off_t>(length)) == 0 || fail();
}

bool File::close() {
    if (fd_ < 0) {
        return true;
    }
    // Don't retry close on EINTR: the descriptor is gone either way on Linux.
    const int rc = sys::Close(fd_);
    fd_ = -1;
    return rc == 0 || errno == EINTR || fail();
}

}  // namespace velmora
