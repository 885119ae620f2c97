#pragma once
// A program started with an argument list (never through a shell), watched without
// blocking or waited for. Its standard error is kept for the message when it fails, and
// its standard output when asked for. It dies with the program that started it, unless
// asked to go on.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct ExitStatus {
    enum class How {
        Exited,  // `code` is the exit status
        Killed,  // `code` is the signal that ended it
        Lost,    // it could not be waited for: `code` is the errno
    };
    How how = How::Exited;
    int code = 0;
    std::string output = {};  // when kept
    std::string errorOutput = {};

    bool succeeded() const { return how == How::Exited && code == 0; }
};

struct ProcessOptions {
    std::filesystem::path workingDirectory;  // empty: the caller's
    // LC_ALL=C.UTF-8, so that file names reach the program as UTF-8 whatever the caller's
    // locale; off, the program gets the caller's environment unchanged.
    bool utf8Locale = true;
    // Standard output kept (in ExitStatus::output) rather than thrown away.
    bool keepOutput = false;
    // Killed when the program that started it ends, however it ends; off for a program
    // that is to go on by itself (the desktop's file manager).
    bool diesWithUs = true;
};

class ChildProcess {
public:
    // Starts the program with standard input on /dev/null. A program that cannot be
    // started leaves startError() non-zero.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const ProcessOptions& options = {});
    // A process still running is killed and reaped: none outlives its watcher unless
    // released.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // 0, or the errno of the failed start.
    int startError() const { return startError_; }

    // Does not block: the exit status once the process has ended.
    std::optional<ExitStatus> Poll();
    // Blocks until the process has ended, its pipes kept drained meanwhile.
    ExitStatus Wait();
    // Lets a running process go on by itself after its watcher has gone.
    void Release();
    // Readable once the process has ended, for an event loop to watch, so that its end is
    // seen at once and no look in between takes time from it; -1 where the system has no
    // process descriptors. Open as long as the watcher is.
    int endDescriptor() const { return ended_; }

private:
    void Drain();
    std::optional<ExitStatus> Reap(int options);
    std::optional<ExitStatus> Finish(std::optional<ExitStatus> exit);

    pid_t pid_ = -1;
    int outputPipe_ = -1;
    int errorPipe_ = -1;
    int ended_ = -1;
    int startError_ = 0;
    std::string output_;
    std::string errorOutput_;
};

}  // namespace velmora
