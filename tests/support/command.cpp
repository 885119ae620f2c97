#include "support/command.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "support/files.h"

extern char** environ;

namespace velmora::testing {

CommandResult RunCommand(std::vector<std::string> arguments) {
    int ends[2];
    if (::pipe(ends) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 2);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int error = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    CommandResult result;
    char buffer[4096];
    for (ssize_t count = 0; (count = ::read(ends[0], buffer, sizeof buffer)) > 0;) {
        result.output.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(ends[0]);
    int status = 0;
    if (error != 0 || ::waitpid(pid, &status, 0) != pid) {
        throw std::runtime_error("cannot run " + arguments[0]);
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::map<std::string, std::string> ExtractBook(const std::filesystem::path& book) {
    TempDir dir;
    if (RunCommand({"7za", "x", "-o" + dir.path().string(), book.string()}).exitCode != 0) {
        throw std::runtime_error("7za cannot extract " + book.string());
    }
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) {
        if (entry.is_regular_file()) {
            files[std::filesystem::relative(entry.path(), dir.path()).string()] =
                ReadBytes(entry.path());
        }
    }
    return files;
}

}  // namespace velmora::testing
