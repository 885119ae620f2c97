#pragma once
// A real full disk for fault tests: a small tmpfs mounted on a fresh directory (root only),
// and the file-size limit, which makes any write past it fail as a full disk would.

#include <sys/resource.h>

#include <cstdint>
#include <filesystem>
#include <memory>

#include "support/temp_dir.h"

namespace velmora::testing {

class SmallDisk {
public:
    // nullptr when no file system can be mounted here (not root, or not allowed).
    static std::unique_ptr<SmallDisk> Mount(std::uint64_t bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    const std::filesystem::path& path() const { return dir_.path(); }
    // Fills every free block, then frees `blocks` of them again.
    void FillLeaving(int blocks);

private:
    SmallDisk() = default;
    TempDir dir_;
};

// Limits the size of every file this process writes, while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
};

// Lays out a program folder at `app`: template/ from the source tree, empty temp/ and
// finished/.
void LayOutProgramFolder(const std::filesystem::path& app);

}  // namespace velmora::testing
