#include "platform/native_calls.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "platform/windows/create_process.h"
#include "platform/windows/error_number.h"

namespace velmora::sys::native {
namespace {

DWORD Disposition(int flags) {
    if ((flags & O_CREAT) != 0) {
        if ((flags & O_EXCL) != 0) {
            return CREATE_NEW;
        }
        return (flags & O_TRUNC) != 0 ? CREATE_ALWAYS : OPEN_ALWAYS;
    }
    return (flags & O_TRUNC) != 0 ? TRUNCATE_EXISTING : OPEN_EXISTING;
}

DWORD Access(int flags) {
    switch (flags & (O_RDONLY | O_WRONLY | O_RDWR)) {
        case O_WRONLY:
            return (flags & O_APPEND) != 0 ? FILE_APPEND_DATA : GENERIC_WRITE;
        case O_RDWR:
            return GENERIC_READ | GENERIC_WRITE;
        default:
            return GENERIC_READ;
    }
}

// The C runtime's transfers take an unsigned int.
unsigned Chunk(std::size_t length) {
    return static_cast<unsigned>(std::min<std::size_t>(length, INT_MAX));
}

}  // namespace

// Opened for others to read, write, rename and delete meanwhile, as on POSIX: a book a
// reader holds open can still be replaced.
int Open(PathText path, int flags, mode_t) {
    const HANDLE handle =
        ::CreateFileW(path, Access(flags), FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, Disposition(flags), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        const DWORD attributes = ::GetFileAttributesW(path);
        errno = error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
                        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                    ? EISDIR
                    : ErrnoOf(error);
        return -1;
    }
    const int fd =
        ::_open_osfhandle(reinterpret_cast<intptr_t>(handle),
                          (flags & (O_APPEND | O_RDONLY | O_WRONLY | O_RDWR)) | O_BINARY);
    if (fd < 0) {
        ::CloseHandle(handle);
        errno = EMFILE;
    }
    return fd;
}

ssize_t Read(int fd, void* buffer, std::size_t length) {
    return ::_read(fd, buffer, Chunk(length));
}

ssize_t Write(int fd, const void* buffer, std::size_t length) {
    return ::_write(fd, buffer, Chunk(length));
}

int Fsync(int fd) {
    return ::_commit(fd);
}

int Close(int fd) {
    return ::_close(fd);
}

int Mkdir(PathText path, mode_t) {
    return ::CreateDirectoryW(path, nullptr) ? 0 : (LastErrno(), -1);
}

// Over a file that exists too, as rename(2) does, and on the disk before it returns.
int Rename(PathText from, PathText to) {
    return ::MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : (LastErrno(), -1);
}

int Spawn(pid_t* pid, PathText path, const ChildSetup& setup, char* const argv[], char* const[]) {
    return CreateChild(pid, path, setup, argv);
}

pid_t Waitpid(pid_t pid, int* status, int options) {
    return WaitChild(pid, status, options);
}

// A process handle cannot be watched as a descriptor: the watcher looks now and then.
int WatchEnd(pid_t) {
    errno = ENOSYS;
    return -1;
}

// Windows has no signals: the child is ended, the signal's number its exit code.
void Kill(pid_t pid, int signal) {
    EndChild(pid, static_cast<unsigned>(signal));
}

}  // namespace velmora::sys::native
