#include "epub/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/failure.h"

extern char** environ;

namespace velmora {
namespace {

std::vector<std::string> ChildEnvironment() {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "LC_ALL=", 7) != 0) {
            entries.emplace_back(*entry);
        }
    }
    entries.emplace_back("LC_ALL=C.UTF-8");
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

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_{};
};

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        throw Failure::FromErrno(u"无法启动程序", program, errno);
    }
    errorPipe_ = pipeEnds[0];
    ::fcntl(errorPipe_, F_SETFL, O_NONBLOCK);

    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(actions.get(), 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(actions.get(), pipeEnds[1], 2);

    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envp = ChildEnvironment();
    const int error = posix_spawn(&pid_, program.c_str(), actions.get(), nullptr,
                                  Pointers(argv).data(), Pointers(envp).data());
    ::close(pipeEnds[1]);
    if (error != 0) {
        ::close(errorPipe_);
        throw Failure::FromErrno(u"无法启动程序", program, error);
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    ::close(errorPipe_);
}

void ChildProcess::Drain() {
    char buffer[4096];
    ssize_t count = 0;
    while ((count = ::read(errorPipe_, buffer, sizeof buffer)) > 0) {
        errorOutput_.append(buffer, static_cast<std::size_t>(count));
    }
}

ExitStatus ChildProcess::Finish(int status) {
    pid_ = -1;
    Drain();
    ExitStatus exit;
    exit.killed = WIFSIGNALED(status);
    exit.code = exit.killed ? WTERMSIG(status) : WEXITSTATUS(status);
    exit.errorOutput = std::move(errorOutput_);
    return exit;
}

std::optional<ExitStatus> ChildProcess::Poll() {
    // Keep the pipe empty, or a talkative child would block on it.
    Drain();
    int status = 0;
    const pid_t ended = ::waitpid(pid_, &status, WNOHANG);
    if (ended == 0) {
        return std::nullopt;
    }
    return Finish(ended < 0 ? W_EXITCODE(127, 0) : status);
}

ExitStatus ChildProcess::Wait() {
    // Polling keeps the error pipe drained while waiting.
    for (;;) {
        if (auto exit = Poll()) {
            return *std::move(exit);
        }
        ::usleep(2000);
    }
}

}  // namespace velmora
