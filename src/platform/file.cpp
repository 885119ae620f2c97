#include "platform/file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "platform/file_status.h"
#include "platform/system_calls.h"

namespace velmora {
namespace {

// Big enough that a 256 MiB book is a few hundred reads, small enough to ask `going` often.
constexpr std::size_t kChunk = 1024 * 1024;

}  // namespace

File::~File() {
    close();
}

bool File::fail() {
    error_ = errno;
    return false;
}

std::optional<std::size_t> File::read(void* buffer, std::size_t length) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t count = sys::Read(fd_, bytes + done, length - done);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            fail();
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        done += static_cast<std::size_t>(count);
    }
    return done;
}

bool File::write(const void* buffer, std::size_t length, std::size_t* written) {
    const auto* bytes = static_cast<const char*>(buffer);
    std::size_t ignored = 0;
    std::size_t& done = written != nullptr ? *written : ignored;
    done = 0;
    while (length > 0) {
        const ssize_t count = sys::Write(fd_, bytes, length);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return fail();
        }
        if (count == 0) {
            error_ = ENOSPC;
            return false;
        }
        bytes += count;
        done += static_cast<std::size_t>(count);
        length -= static_cast<std::size_t>(count);
    }
    return true;
}

bool File::sync() {
    return sys::Fsync(fd_) == 0 || fail();
}

int File::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

bool File::close() {
    if (fd_ < 0) {
        return true;
    }
    // Don't retry close on EINTR: the descriptor is gone either way on Linux.
    const int rc = sys::Close(fd_);
    fd_ = -1;
    return rc == 0 || errno == EINTR || fail();
}

FileContent ReadWholeFile(const std::filesystem::path& path, std::uint64_t limit,
                          const std::function<bool()>& going) {
    using Status = FileContent::Status;
    // Looked at before the open, which then cannot block: a FIFO stays unopened.
    if (const auto info = StatOf(path); info && !S_ISREG(info->st_mode)) {
        return {Status::NotRegular};
    }
    File file(path, File::Mode::OpenNoWait);
    if (!file.isOpen()) {
        return {Status::CannotOpen, file.error()};
    }
    // Swapped for something else between the look and the open.
    if (!S_ISREG(file.type())) {
        return {Status::NotRegular};
    }
    // Read straight into the content: the size a file claims first (and a byte more, to
    // see its end), then a chunk at a time for one that grows or claims nothing.
    FileContent content;
    std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(file.size().value_or(0), limit) + 1);
    for (;;) {
        if (going && !going()) {
            return {Status::Stopped};
        }
        const std::size_t start = content.bytes.size();
        content.bytes.resize(start + want);
        const auto count = file.read(content.bytes.data() + start, want);
        if (!count) {
            return {Status::CannotRead, file.error()};
        }
        content.bytes.resize(start + *count);
        if (content.bytes.size() > limit) {
            return {Status::TooLarge};
        }
        if (*count < want) {
            return content;
        }
        want = static_cast<std::size_t>(
            std::min<std::uint64_t>(kChunk, limit + 1 - content.bytes.size()));
    }
}

}  // namespace velmora
