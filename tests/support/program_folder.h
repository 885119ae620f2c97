#pragma once
// A program folder for one test: template/ copied from the source tree, empty temp/ and
// finished/, removed afterwards.

#include <filesystem>
#include <functional>

#include "support/temp_dir.h"

namespace velmora::testing {

class ProgramFolder {
public:
    // `name` is the folder's own name inside a fresh temporary directory.
    explicit ProgramFolder(const std::filesystem::path& name = "app");

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const {
        return path_ / relative;
    }

private:
    TempDir root_;
    std::filesystem::path path_;
};

// Runs `check` without root's power over file permissions (in a child process as the
// user nobody when run as root); true when it returned true.
bool RunUnprivileged(const std::function<bool()>& check);

}  // namespace velmora::testing
