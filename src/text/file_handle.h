#pragma once
// An open file over POSIX calls, closed when the handle goes. No locks are taken: other
// handles may read and write the same file meanwhile.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace velmora {

class FileHandle {
public:
    enum class Mode {
        OpenExisting,  // read only; a missing file is not created
        OpenAlways,    // read and write; created when missing, content kept
        CreateAlways,  // read and write; created when missing, truncated to 0 otherwise
    };

    FileHandle(const std::filesystem::path& path, Mode mode);
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // errno of the failed open, or of the last failed call.
    int error() const { return error_; }

    std::optional<std::uint64_t> size();
    bool seek(std::uint64_t offset);
    // The file's length, now the position; nullopt on failure.
    std::optional<std::uint64_t> seekToEnd();
    // One read call: the count read, or -1.
    std::int64_t read(void* buffer, std::size_t length);
    // The whole length, or false; a short write (a full disk) counts as failure.
    bool write(const void* buffer, std::size_t length);
    bool truncate(std::uint64_t length);
    // Closes now so that a late write error (delayed allocation) is seen.
    bool close();

private:
    int fd_ = -1;
    int error_ = 0;
    // Known from the open of a file opened for reading only.
    std::optional<std::uint64_t> openedSize_;
};

}  // namespace velmora
