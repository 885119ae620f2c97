#include "support/program_folder.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace velmora::testing {

ProgramFolder::ProgramFolder(const std::filesystem::path& name) : path_(root_ / name) {
    std::filesystem::create_directories(path_);
    std::filesystem::copy(VELMORA_TEMPLATE_DIR, path_ / "template",
                          std::filesystem::copy_options::recursive);
    std::filesystem::create_directory(path_ / "temp");
    std::filesystem::create_directory(path_ / "finished");
}

bool RunUnprivileged(const std::function<bool()>& check) {
    if (::geteuid() != 0) {
        return check();
    }
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        const bool dropped =
            ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    // A write past the limit then fails with EFBIG instead of killing the process.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, SIG_DFL);
}

}  // namespace velmora::testing
