// The calls on a file that Windows answers: its opening, size, type, position and length.
#include "platform/file.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "platform/system_calls.h"

namespace velmora {
namespace {

int Flags(File::Mode mode) {
    switch (mode) {
        case File::Mode::OpenExisting:
        case File::Mode::OpenNoWait:
            return O_RDONLY;
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

HANDLE HandleOf(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

}  // namespace

File::File(const std::filesystem::path& path, Mode mode) {
    fd_ = sys::Open(path.c_str(), Flags(mode), 0666);
    if (fd_ < 0) {
        error_ = errno;
    }
}

std::optional<std::uint64_t> File::size() {
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(HandleOf(fd_), &length)) {
        error_ = EIO;
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(length.QuadPart);
}

unsigned File::type() {
    struct _stat64 info {};
    return ::_fstat64(fd_, &info) == 0 ? info.st_mode & S_IFMT : 0;
}

// A file deleted while open keeps its name until the last handle goes: it is pending.
bool File::linked() {
    FILE_STANDARD_INFO info{};
    return fd_ >= 0 &&
           ::GetFileInformationByHandleEx(HandleOf(fd_), FileStandardInfo, &info, sizeof info) &&
           !info.DeletePending;
}

bool File::seek(std::uint64_t offset) {
    return ::_lseeki64(fd_, static_cast<__int64>(offset), SEEK_SET) >= 0 || fail();
}

std::optional<std::uint64_t> File::seekToEnd() {
    const __int64 end = ::_lseeki64(fd_, 0, SEEK_END);
    if (end < 0) {
        fail();
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(end);
}

// Each read names its offset, so threads sharing the handle do not disturb each other.
std::optional<std::size_t> File::readAt(void* buffer, std::size_t length,
                                        std::uint64_t offset) const {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + done);
        at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
        DWORD count = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(length - done, 1 << 30));
        if (!::ReadFile(HandleOf(fd_), bytes + done, want, &count, &at)) {
            if (::GetLastError() == ERROR_HANDLE_EOF) {
                break;
            }
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        done += count;
    }
    return done;
}

bool File::truncate(std::uint64_t length) {
    const errno_t error = ::_chsize_s(fd_, static_cast<__int64>(length));
    if (error != 0) {
        error_ = error;
        return false;
    }
    return true;
}

// Windows keeps no permission bits to carry over, only a read-only flag, and a file that
// has it cannot be replaced anyway.
bool File::setMode(unsigned) {
    return true;
}

}  // namespace velmora
