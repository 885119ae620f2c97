// The system calls as the tests link them: real, but for the faults of an InjectedFaults.

#include <signal.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>

#include "platform/native_calls.h"
#include "platform/system_calls.h"
#include "support/faults.h"

namespace velmora::testing {
namespace {

InjectedFaults*& active = InjectedFaults::active;
std::map<int, std::string> files;       // descriptor to path
std::map<pid_t, std::string> children;  // process to program

// A pipe that no one ever writes to: a program that reads it waits for ever.
std::string HeldPipe(const std::filesystem::path& folder) {
#ifdef _WIN32
    (void)folder;
    static int count = 0;
    const std::wstring name = L"\\\\.\\pipe\\velmora-held-" +
                              std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++count);
    // Left open: the pipe lives as long as the test.
    ::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    return std::filesystem::path(name).string();
#else
    const std::filesystem::path pipe = folder / "held";
    ::mkfifo(pipe.c_str(), 0600);
    return pipe.string();
#endif
}

// A path as the faults name it: its bytes on Linux; on Windows its UTF-8, with the
// separators as on Linux, so that one fault strikes on both.
std::string Text(sys::PathText path) {
    return std::filesystem::path(path).generic_string();
}

// A fault's path as Text() gives the paths it is held against.
std::string Generic(std::string path) {
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '\\', '/');
#endif
    return path;
}

// The fault that strikes a call about `path`, or none; errno is then its error.
Fault* Strike(Call call, const std::string& path) {
    if (active == nullptr) {
        return nullptr;
    }
    if (active->watch) {
        active->watch(call, path);
    }
    for (Fault& fault : active->faults) {
        if (fault.call == call && path.find(Generic(fault.path)) != std::string::npos) {
            ++active->hits;
            if (fault.throws) {
                throw std::bad_alloc();
            }
            errno = fault.error;
            return &fault;
        }
    }
    return nullptr;
}

// A read or write of `length`, cut to what the fault lets through.
template <typename Transfer>
ssize_t Limited(Call call, int fd, std::size_t length, Transfer transfer) {
    Fault* fault = Strike(call, files[fd]);
    if (fault == nullptr || fault->error == 0) {
        return transfer(fault == nullptr ? length : std::min<std::size_t>(length, 1));
    }
    if (fault->passed >= fault->after) {
        return -1;
    }
    const ssize_t count = transfer(std::min(length, fault->after - fault->passed));
    fault->passed += static_cast<std::size_t>(std::max<ssize_t>(count, 0));
    return count;
}

}  // namespace

}  // namespace velmora::testing

namespace velmora::sys {

using namespace velmora::testing;

int Open(PathText path, int flags, mode_t mode) {
    const int fd = Strike(Call::Open, Text(path)) != nullptr ? -1 : native::Open(path, flags, mode);
    files[fd] = Text(path);
    return fd;
}
ssize_t Read(int fd, void* buffer, std::size_t length) {
    return Limited(Call::Read, fd, length,
                   [&](std::size_t n) { return native::Read(fd, buffer, n); });
}
ssize_t Write(int fd, const void* buffer, std::size_t length) {
    return Limited(Call::Write, fd, length,
                   [&](std::size_t n) { return native::Write(fd, buffer, n); });
}
int Fsync(int fd) {
    return Strike(Call::Fsync, files[fd]) != nullptr ? -1 : native::Fsync(fd);
}
int Close(int fd) {
    const int rc = native::Close(fd);
    return Strike(Call::Close, files[fd]) != nullptr ? -1 : rc;
}
int Mkdir(PathText path, mode_t mode) {
    return Strike(Call::Mkdir, Text(path)) != nullptr ? -1 : native::Mkdir(path, mode);
}
int Rename(PathText from, PathText to) {
    return Strike(Call::Rename, Text(from) + "\n" + Text(to)) != nullptr ? -1
                                                                         : native::Rename(from, to);
}
int Spawn(pid_t* pid, PathText path, const ChildSetup& setup, char* const argv[],
          char* const envp[]) {
    if (const Fault* fault = Strike(Call::Spawn, Text(path))) {
        if (fault->error != 0) {
            return fault->error;
        }
        // A pipe no one writes to ends the child's "@" list.
        for (char* const* arg = argv; *arg != nullptr; ++arg) {
            if (**arg == '@') {
                const std::filesystem::path list = *arg + 1;
                std::ofstream(list, std::ios::app) << HeldPipe(list.parent_path()) << "\n";
            }
        }
    }
    const int error = native::Spawn(pid, path, setup, argv, envp);
    children[*pid] = Text(path);
    return error;
}
pid_t Waitpid(pid_t pid, int* status, int options) {
    if (const Fault* fault = Strike(Call::Wait, children[pid])) {
        native::Kill(pid, fault->signal != 0 ? fault->signal : kKill);
        if (fault->signal == 0) {
            int ignored = 0;
            native::Waitpid(pid, &ignored, 0);
            errno = fault->error;
            return -1;
        }
        options = 0;
    }
    const pid_t ended = native::Waitpid(pid, status, options);
    if (ended > 0 && active != nullptr) {
        active->reaped.emplace_back(children[pid], *status);
    }
    return ended;
}
int WatchEnd(pid_t pid) {
    if (Strike(Call::WatchEnd, children[pid]) != nullptr) {
        return -1;
    }
    return native::WatchEnd(pid);
}

}  // namespace velmora::sys
