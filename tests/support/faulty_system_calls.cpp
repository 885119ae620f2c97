// The system calls as the tests link them: real, but for the faults of an InjectedFaults.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>

#include "platform/posix/fork_exec.h"
#include "platform/system_calls.h"
#include "support/faults.h"

namespace velmora::testing {
namespace {

InjectedFaults*& active = InjectedFaults::active;
std::map<int, std::string> files;       // descriptor to path
std::map<pid_t, std::string> children;  // process to program

// The fault that strikes a call about `path`, or none; errno is then its error.
Fault* Strike(Call call, const std::string& path) {
    if (active == nullptr) {
        return nullptr;
    }
    if (active->watch) {
        active->watch(call, path);
    }
    for (Fault& fault : active->faults) {
        if (fault.call == call && path.find(fault.path) != std::string::npos) {
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

int Open(const char* path, int flags, mode_t mode) {
    const int fd = Strike(Call::Open, path) != nullptr ? -1 : ::open(path, flags, mode);
    files[fd] = path;
    return fd;
}
ssize_t Read(int fd, void* buffer, std::size_t length) {
    return Limited(Call::Read, fd, length, [&](std::size_t n) { return ::read(fd, buffer, n); });
}
ssize_t Write(int fd, const void* buffer, std::size_t length) {
    return Limited(Call::Write, fd, length, [&](std::size_t n) { return ::write(fd, buffer, n); });
}
int Fsync(int fd) {
    return Strike(Call::Fsync, files[fd]) != nullptr ? -1 : ::fsync(fd);
}
int Close(int fd) {
    const int rc = ::close(fd);
    return Strike(Call::Close, files[fd]) != nullptr ? -1 : rc;
}
int Mkdir(const char* path, mode_t mode) {
    return Strike(Call::Mkdir, path) != nullptr ? -1 : ::mkdir(path, mode);
}
int Rename(const char* from, const char* to) {
    return Strike(Call::Rename, std::string(from) + "\n" + to) != nullptr ? -1 : ::rename(from, to);
}
int Spawn(pid_t* pid, const char* path, const ChildSetup& setup, char* const argv[],
          char* const envp[]) {
    if (const Fault* fault = Strike(Call::Spawn, path)) {
        if (fault->error != 0) {
            return fault->error;
        }
        // A pipe no one writes to ends the child's "@" list.
        for (char* const* arg = argv; *arg != nullptr; ++arg) {
            if (**arg == '@') {
                const std::filesystem::path list = *arg + 1, pipe = list.parent_path() / "held";
                ::mkfifo(pipe.c_str(), 0600);
                std::ofstream(list, std::ios::app) << pipe.string() << "\n";
            }
        }
    }
    const int error = ForkExec(pid, path, setup, argv, envp);
    children[*pid] = path;
    return error;
}
pid_t Waitpid(pid_t pid, int* status, int options) {
    if (const Fault* fault = Strike(Call::Wait, children[pid])) {
        ::kill(pid, fault->signal != 0 ? fault->signal : SIGKILL);
        if (fault->signal == 0) {
            ::waitpid(pid, nullptr, 0);
            errno = fault->error;
            return -1;
        }
        options = 0;
    }
    const pid_t ended = ::waitpid(pid, status, options);
    if (ended > 0 && active != nullptr) {
        active->reaped.emplace_back(children[pid], *status);
    }
    return ended;
}
int WatchEnd(pid_t pid) {
    if (Strike(Call::WatchEnd, children[pid]) != nullptr) {
        return -1;
    }
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

}  // namespace velmora::sys
