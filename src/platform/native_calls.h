#pragma once
// The system's own calls behind the seam in system_calls.h, POSIX's or Win32's: the
// program's seam hands each call straight to these, the tests' after seeing whether a fault
// strikes it.

#include "platform/system_calls.h"

namespace velmora::sys::native {

int Open(PathText path, int flags, mode_t mode);
ssize_t Read(int fd, void* buffer, std::size_t length);
ssize_t Write(int fd, const void* buffer, std::size_t length);
int Fsync(int fd);
int Close(int fd);
int Mkdir(PathText path, mode_t mode);
int Rename(PathText from, PathText to);
int Spawn(pid_t* pid, PathText path, const ChildSetup& setup, char* const argv[],
          char* const envp[]);
pid_t Waitpid(pid_t pid, int* status, int options);
int WatchEnd(pid_t pid);
// Sends the child the signal; on Windows, which has none, ends it.
void Kill(pid_t pid, int signal);

}  // namespace velmora::sys::native
