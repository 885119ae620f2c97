#include "platform/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "platform/descriptor.h"
#include "platform/system_calls.h"

extern char** environ;

namespace velmora {
namespace {

std::vector<std::string> ChildEnvironment(bool utf8Locale) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (!utf8Locale || std::strncmp(*entry, "LC_ALL=", 7) != 0) {
            entries.emplace_back(*entry);
        }
    }
    if (utf8Locale) {
        entries.emplace_back("LC_ALL=C.UTF-8");
    }
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

ExitStatus StatusOf(int status) {
    ExitStatus exit;
    if (WIFSIGNALED(status)) {
        exit.how = ExitStatus::How::Killed;
        exit.code = WTERMSIG(status);
    } else {
        exit.code = WEXITSTATUS(status);
    }
    return exit;
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments,
                           const ProcessOptions& options) {
    // Read ends for us, write ends for the child: standard output (when kept), then error.
    Descriptor ends[2][2];
    for (int stream = options.keepOutput ? 0 : 1; stream < 2; ++stream) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            startError_ = errno;
            return;
        }
        ends[stream][0].reset(fds[0]);
        ends[stream][1].reset(fds[1]);
        ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
    }
    const auto& directory = options.workingDirectory.native();
    const sys::ChildSetup setup{ends[0][1].get(), ends[1][1].get(),
                                directory.empty() ? nullptr : directory.c_str(),
                                options.diesWithUs};
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envp = ChildEnvironment(options.utf8Locale);
    startError_ =
        sys::Spawn(&pid_, program.c_str(), setup, Pointers(argv).data(), Pointers(envp).data());
    if (startError_ != 0) {
        pid_ = -1;
        return;
    }
    outputPipe_ = ends[0][0].release();
    errorPipe_ = ends[1][0].release();
    ended_ = sys::WatchEnd(pid_);
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        Reap(0);
    }
    for (const int fd : {outputPipe_, errorPipe_, ended_}) {
        if (fd >= 0) {
            sys::Close(fd);
        }
    }
}

void ChildProcess::Release() {
    pid_ = -1;
}

void ChildProcess::Drain() {
    char buffer[4096];
    for (const auto& [fd, kept] : {std::pair{outputPipe_, &output_}, {errorPipe_, &errorOutput_}}) {
        for (ssize_t count = 0; fd >= 0 && (count = sys::Read(fd, buffer, sizeof buffer)) > 0;) {
            kept->append(buffer, static_cast<std::size_t>(count));
        }
    }
}

std::optional<ExitStatus> ChildProcess::Reap(int options) {
    int status = 0;
    pid_t ended = 0;
    do {
        ended = sys::Waitpid(pid_, &status, options);
    } while (ended < 0 && errno == EINTR);
    if (ended == 0) {
        return std::nullopt;
    }
    pid_ = -1;
    if (ended < 0) {
        return ExitStatus{ExitStatus::How::Lost, errno, {}};
    }
    return StatusOf(status);
}

std::optional<ExitStatus> ChildProcess::Finish(std::optional<ExitStatus> exit) {
    if (exit) {
        Drain();
        exit->output = std::move(output_);
        exit->errorOutput = std::move(errorOutput_);
    }
    return exit;
}

std::optional<ExitStatus> ChildProcess::Poll() {
    if (pid_ <= 0) {
        return ExitStatus{ExitStatus::How::Lost, startError_ != 0 ? startError_ : ECHILD, {}};
    }
    // Keep the pipes empty, or a talkative child would block on them.
    Drain();
    return Finish(Reap(WNOHANG));
}

ExitStatus ChildProcess::Wait() {
    if (pid_ <= 0) {
        return *Poll();
    }
    // Sleeps until the child ends or writes: its end is a readable pidfd.
    for (;;) {
        Drain();
        pollfd watched[3] = {
            {ended_, POLLIN, 0}, {outputPipe_, POLLIN, 0}, {errorPipe_, POLLIN, 0}};
        if (ended_ < 0) {
            // Without a pidfd (an old kernel), a look every 10 ms.
            if (auto exit = Reap(WNOHANG)) {
                return *Finish(std::move(exit));
            }
            ::poll(nullptr, 0, 10);
            continue;
        }
        if (::poll(watched, 3, -1) > 0 && (watched[0].revents & POLLIN) != 0) {
            return *Finish(Reap(0));
        }
        // A pipe at its end stays readable, with nothing to read: stop watching it.
        for (int k = 1; k < 3; ++k) {
            if (watched[k].revents == POLLHUP) {
                int& fd = k == 1 ? outputPipe_ : errorPipe_;
                sys::Close(fd);
                fd = -1;
            }
        }
    }
}

}  // namespace velmora
