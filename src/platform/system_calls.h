#pragma once
// The system calls that can fail in ways a user meets (a full disk, a folder taken away,
// an archiver that will not start or dies), one function each, in the shape POSIX gives
// them (-1 and errno on failure). The program links the real ones (system_calls.cpp); the
// tests link a version that can make any of them fail, cut a transfer short, or kill a
// child, so that each fault is provoked without a full disk or a dying archiver.

#include <sys/types.h>

#include <cstddef>
#include <filesystem>

namespace velmora::sys {

// A path as the system takes it: bytes on Linux, UTF-16 on Windows.
using PathText = const std::filesystem::path::value_type*;

int Open(PathText path, int flags, mode_t mode);
ssize_t Read(int fd, void* buffer, std::size_t length);
ssize_t Write(int fd, const void* buffer, std::size_t length);
int Fsync(int fd);
int Close(int fd);
int Mkdir(PathText path, mode_t mode);
int Rename(PathText from, PathText to);

// How a child starts: its standard output and error (-1: /dev/null; standard input is
// always /dev/null), its working folder (nullptr: ours), and whether it dies with the
// thread that started it.
struct ChildSetup {
    int output = -1;
    int error = -1;
    PathText directory = nullptr;
    bool diesWithUs = true;
};
// Starts the program; the error number as its result (of the fork, of the child's set-up
// or of its exec), 0 with *pid set.
int Spawn(pid_t* pid, PathText path, const ChildSetup& setup, char* const argv[],
          char* const envp[]);
pid_t Waitpid(pid_t pid, int* status, int options);
// A descriptor that becomes readable once the child has ended (a pidfd, close-on-exec);
// -1 and errno where the system has none to give.
int WatchEnd(pid_t pid);

#ifdef _WIN32
// Waitpid's one option, as on POSIX: do not wait for a child still running.
inline constexpr int WNOHANG = 1;
#endif

}  // namespace velmora::sys
