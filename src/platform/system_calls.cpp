// The program's side of the seam: every call is the system's own.
#include "platform/system_calls.h"

#include "platform/native_calls.h"

namespace velmora::sys {

int Open(PathText path, int flags, mode_t mode) {
    return native::Open(path, flags, mode);
}

ssize_t Read(int fd, void* buffer, std::size_t length) {
    return native::Read(fd, buffer, length);
}

ssize_t Write(int fd, const void* buffer, std::size_t length) {
    return native::Write(fd, buffer, length);
}

int Fsync(int fd) {
    return native::Fsync(fd);
}

int Close(int fd) {
    return native::Close(fd);
}

int Mkdir(PathText path, mode_t mode) {
    return native::Mkdir(path, mode);
}

int Rename(PathText from, PathText to) {
    return native::Rename(from, to);
}

int Spawn(pid_t* pid, PathText path, const ChildSetup& setup, char* const argv[],
          char* const envp[]) {
    return native::Spawn(pid, path, setup, argv, envp);
}

pid_t Waitpid(pid_t pid, int* status, int options) {
    return native::Waitpid(pid, status, options);
}

int WatchEnd(pid_t pid) {
    return native::WatchEnd(pid);
}

}  // namespace velmora::sys
