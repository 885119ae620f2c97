#pragma once
// An open file, closed when the object goes. Reads and writes loop until the whole length
// is done; a failure is kept in the handle (error()) and never read from errno by callers.
// No locks are taken: other handles may read and write the same file meanwhile.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace velmora {

class File {
public:
    enum class Mode {
        OpenExisting,  // read only; a missing file is not created; a directory does not open
        OpenToWrite,   // read and write; a missing file is not created
        OpenAlways,    // read and write; created when missing, content kept
        CreateAlways,  // read and write; created when missing, truncated to 0 otherwise
    };

    File(const std::filesystem::path& path, Mode mode);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // The errno of the failed open, or of the last failed call.
    int error() const { return error_; }

    std::optional<std::uint64_t> size();
    bool seek(std::uint64_t offset);
    // The file's length, now the position.
    std::optional<std::uint64_t> seekToEnd();
    // Reads until `length` bytes are in or the file ends: the count read, or nullopt.
    std::optional<std::size_t> read(void* buffer, std::size_t length);
    // Everything from the position to the end of the file.
    std::optional<std::string> readToEnd();
    // The whole length, or false: a write that stops short (a full disk) is a failure.
    bool write(const void* buffer, std::size_t length);
    bool truncate(std::uint64_t length);
    // Closes now, so that a late write error (delayed allocation) is seen.
    bool close();

private:
    bool fail();

    int fd_ = -1;
    int error_ = 0;
};

}  // namespace velmora
