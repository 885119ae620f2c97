#pragma once
// A program folder for one test (template/ from the source tree, empty temp/ and
// finished/), and the means to make the system refuse it something.

#include <sys/resource.h>

#include <cstdint>
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

// Runs `check` without root's power over permissions (as the user nobody in a child
// process when run as root); true when it returned true.
bool RunUnprivileged(const std::function<bool()>& check);

// A full disk as far as this process can tell: no file grows past `bytes` while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
};

}  // namespace velmora::testing
