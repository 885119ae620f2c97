#include "platform/child_process.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <initializer_list>
#include <utility>

#include "platform/descriptor.h"
#include "platform/system_calls.h"
#include "platform/windows/create_process.h"

namespace velmora {
namespace {

// How often a wait looks whether the child has ended, its pipes emptied in between.
constexpr DWORD kLookMilliseconds = 10;

// What a pipe holds now; none once its writer has gone and it is empty.
std::optional<DWORD> Waiting(int fd) {
    DWORD available = 0;
    const auto pipe = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (!::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) {
        return std::nullopt;
    }
    return available;
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments,
                           const ProcessOptions& options) {
    // Read ends for us, write ends for the child: standard output (when kept), then error.
    Descriptor ends[2][2];
    for (int stream = options.keepOutput ? 0 : 1; stream < 2; ++stream) {
        int fds[2];
        if (::_pipe(fds, 64 * 1024, O_BINARY | O_NOINHERIT) != 0) {
            startError_ = errno;
            return;
        }
        ends[stream][0].reset(fds[0]);
        ends[stream][1].reset(fds[1]);
    }
    const auto& directory = options.workingDirectory.native();
    const sys::ChildSetup setup{ends[0][1].get(), ends[1][1].get(),
                                directory.empty() ? nullptr : directory.c_str(),
                                options.diesWithUs};
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (auto& argument : argv) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    // Windows passes file names as UTF-16 whatever the locale: the environment stays ours.
    char* const noEnvironment[] = {nullptr};
    startError_ = sys::Spawn(&pid_, program.c_str(), setup, pointers.data(), noEnvironment);
    if (startError_ != 0) {
        pid_ = -1;
        return;
    }
    outputPipe_ = ends[0][0].release();
    errorPipe_ = ends[1][0].release();
    ended_ = sys::WatchEnd(pid_);  // none to be had here: the watcher looks now and then
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        sys::EndChild(pid_, 1);
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
    for (auto [fd, kept] : {std::pair{&outputPipe_, &output_}, {&errorPipe_, &errorOutput_}}) {
        while (*fd >= 0) {
            const auto available = Waiting(*fd);
            if (!available) {
                sys::Close(*fd);
                *fd = -1;
                break;
            }
            if (*available == 0) {
                break;
            }
            const ssize_t count =
                sys::Read(*fd, buffer, std::min<DWORD>(*available, sizeof buffer));
            if (count <= 0) {
                break;
            }
            kept->append(buffer, static_cast<std::size_t>(count));
        }
    }
}

std::optional<ExitStatus> ChildProcess::Reap(int options) {
    int status = 0;
    const pid_t ended = sys::Waitpid(pid_, &status, options);
    if (ended == 0) {
        return std::nullopt;
    }
    pid_ = -1;
    if (ended < 0) {
        return ExitStatus{ExitStatus::How::Lost, errno, {}};
    }
    return ExitStatus{ExitStatus::How::Exited, status, {}};
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
    return Finish(Reap(sys::WNOHANG));
}

ExitStatus ChildProcess::Wait() {
    for (;;) {
        if (auto exit = Poll()) {
            return *exit;
        }
        ::Sleep(kLookMilliseconds);
    }
}

}  // namespace velmora
