#include "platform/native_calls.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "platform/posix/fork_exec.h"

namespace velmora::sys::native {

int Open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}
ssize_t Read(int fd, void* buffer, std::size_t length) {
    return ::read(fd, buffer, length);
}
ssize_t Write(int fd, const void* buffer, std::size_t length) {
    return ::write(fd, buffer, length);
}
int Fsync(int fd) {
    return ::fsync(fd);
}
int Close(int fd) {
    return ::close(fd);
}
int Mkdir(const char* path, mode_t mode) {
    return ::mkdir(path, mode);
}
int Rename(const char* from, const char* to) {
    return ::rename(from, to);
}
int Spawn(pid_t* pid, const char* path, const ChildSetup& setup, char* const argv[],
          char* const envp[]) {
    return ForkExec(pid, path, setup, argv, envp);
}
pid_t Waitpid(pid_t pid, int* status, int options) {
    return ::waitpid(pid, status, options);
}
int WatchEnd(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

void Kill(pid_t pid, int signal) {
    ::kill(pid, signal);
}

}  // namespace velmora::sys::native
