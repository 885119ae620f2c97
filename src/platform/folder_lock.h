#pragma once
// A folder held by this program for as long as the object lives: another program can tell
// a run that is still going from one that has ended, closed or crashed (the lock goes with
// the process, however it ends).

#include <filesystem>

namespace velmora {

class FolderLock {
public:
    // Takes the lock without waiting; held() is false when another program has it, or the
    // folder cannot be opened.
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace velmora
