#pragma once
// A program started with an argument list (never through a shell), watched without
// blocking. Its standard error is kept for the message when it fails.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct ExitStatus {
    bool killed = false;  // ended by a signal
    int code = 0;         // the exit status, or the signal that ended it
    std::string errorOutput;
};

class ChildProcess {
public:
    // Starts the program with stdin and stdout on /dev/null and LC_ALL=C.UTF-8, so that
    // file names reach it as UTF-8 whatever the caller's locale. Raises a Failure when it
    // cannot be started.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments);
    // A process still running is killed and reaped: none outlives its watcher.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Does not block: the exit status once the process has ended.
    std::optional<ExitStatus> Poll();
    // Blocks until the process has ended.
    ExitStatus Wait();

private:
    void Drain();
    ExitStatus Finish(int status);

    pid_t pid_ = -1;
    int errorPipe_ = -1;
    std::string errorOutput_;
};

}  // namespace velmora
