#include "platform/posix/fork_exec.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace velmora::sys {
namespace {

// The child's error, told to the parent through the pipe that the exec would have closed.
[[noreturn]] void Fail(int report, int error) {
    [[maybe_unused]] const ssize_t ignored = ::write(report, &error, sizeof error);
    ::_exit(127);
}

// In the child, between fork and exec: async-signal-safe calls only.
[[noreturn]] void SetUpAndExec(int report, pid_t parent, const char* path, const ChildSetup& setup,
                               char* const argv[], char* const envp[]) {
    const auto fail = [report](int error) { Fail(report, error); };
    if (setup.diesWithUs && ::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0) {
        fail(errno);
    }
    // The parent may have died before the death signal was asked for.
    if (setup.diesWithUs && ::getppid() != parent) {
        ::_exit(127);
    }
    // Our handlers (a self-pipe) and blocked signals are not the child's.
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE, SIGXFSZ}) {
        ::sigaction(signal, &standard, nullptr);
    }
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    const int null = ::open("/dev/null", O_RDWR);
    if (null < 0 || ::dup2(null, 0) < 0 || ::dup2(setup.output >= 0 ? setup.output : null, 1) < 0 ||
        ::dup2(setup.error >= 0 ? setup.error : null, 2) < 0) {
        fail(errno);
    }
    if (setup.directory != nullptr && ::chdir(setup.directory) != 0) {
        fail(errno);
    }
    ::execve(path, argv, envp);
    Fail(report, errno);
}

}  // namespace

int ForkExec(pid_t* pid, const char* path, const ChildSetup& setup, char* const argv[],
             char* const envp[]) {
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        return errno;
    }
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        SetUpAndExec(report[1], parent, path, setup, argv, envp);
    }
    const int forkError = child < 0 ? errno : 0;
    ::close(report[1]);
    // The child's exec closes the write end: nothing to read means it started.
    int error = forkError;
    ssize_t count = 0;
    do {
        count = child > 0 ? ::read(report[0], &error, sizeof error) : 0;
    } while (count < 0 && errno == EINTR);
    ::close(report[0]);
    if (child > 0 && count == sizeof error) {
        ::waitpid(child, nullptr, 0);
        return error;
    }
    if (child > 0) {
        *pid = child;
    }
    return forkError;
}

}  // namespace velmora::sys
