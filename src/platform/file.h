#pragma once
// An open file, closed when the object goes. Reads and writes loop until the whole length
// is done; a failure is kept in the handle (error()) and never read from errno by callers.
// No locks are taken: other handles may read and write the same file meanwhile.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace velmora {

class File {
public:
    enum class Mode {
        OpenExisting,  // read only; a missing file is not created; a directory does not open
        OpenNoWait,    // read only, and the open never waits (for a FIFO's writer)
        OpenToWrite,   // read and write; a missing file is not created
        OpenAlways,    // read and write; created when missing, content kept
        CreateAlways,  // read and write; created when missing, truncated to 0 otherwise
        CreateNew,     // read and write; created, and failing (EEXIST) when it exists
        AppendTo,      // write only, at the end; a missing file is not created
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
    // Regular file, FIFO, device, socket: the type bits of st_mode (0 when unknown).
    unsigned type();
    // Whether the file still has a name: false once it is removed while open.
    bool linked();

    // Reads until `length` bytes are in or the file ends: the count read, or nullopt.
    std::optional<std::size_t> read(void* buffer, std::size_t length);
    // The same from `offset` on, the position left as it is: several threads may read one
    // file at once. The error is not kept in the handle, which other threads share.
    std::optional<std::size_t> readAt(void* buffer, std::size_t length, std::uint64_t offset) const;
    // The whole length, or false: a write that stops short (a full disk) is a failure.
    // `written`, when given, receives how much got in either way.
    bool write(const void* buffer, std::size_t length, std::size_t* written = nullptr);
    bool truncate(std::uint64_t length);
    // Flushes the file to the disk.
    bool sync();
    bool setMode(unsigned mode);
    // Closes now, so that a late write error (delayed allocation) is seen.
    bool close();
    // Hands the descriptor to a new owner, which closes it; this handle is closed after.
    int release();

private:
    bool fail();

    int fd_ = -1;
    int error_ = 0;
};

// A whole file read into memory, or why not.
struct FileContent {
    enum class Status {
        Read,
        CannotOpen,  // `error` is the errno
        NotRegular,  // a folder, FIFO, device or socket, also behind a symbolic link
        TooLarge,    // more than the limit asked for
        CannotRead,  // `error` is the errno
        Stopped,     // the caller's `going` said no
    };
    Status status = Status::Read;
    int error = 0;
    std::string bytes = {};

    explicit operator bool() const { return status == Status::Read; }
};

// Reads a regular file whole, at most `limit` bytes: the size a file claims is not trusted
// (a device says 0), only what is read counts. Nothing else is opened, nor anything waited
// for: a FIFO is neither opened blocking nor read. `going`, when given, is asked between
// chunks of a long file.
FileContent ReadWholeFile(const std::filesystem::path& path, std::uint64_t limit,
                          const std::function<bool()>& going = {});

}  // namespace velmora
