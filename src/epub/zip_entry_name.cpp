#include "epub/zip_entry_name.h"

#include <cstdint>
#include <string>

#include "platform/file.h"
#include "text/failure.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// The records' signatures and sizes, and where the name lies in each (PKWARE's APPNOTE.TXT).
constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEnd = 0x06054b50;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kEndSize = 22;

std::uint64_t Little(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t k = width; k-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + k]);
    }
    return value;
}

class Archive {
public:
    explicit Archive(const fs::path& path) : path_(path), file_(path, File::Mode::OpenToWrite) {
        if (!file_.isOpen()) {
            Fail();
        }
    }

    std::uint64_t Size() {
        const auto size = file_.size();
        if (!size) {
            Fail();
        }
        return *size;
    }

    // Bytes past the end read as zeros, which begin no record.
    std::string Read(std::uint64_t at, std::size_t length) {
        std::string bytes(length, '\0');
        if (!file_.seek(at) || !file_.read(bytes.data(), length)) {
            Fail();
        }
        return bytes;
    }

    void Write(std::uint64_t at, std::string_view bytes) {
        if (!file_.seek(at) || !file_.write(bytes.data(), bytes.size())) {
            Fail();
        }
    }

    void Close() {
        if (!file_.close()) {
            Fail();
        }
    }

    [[noreturn]] void Fail() const { throw Failure(Problem::CannotWrite, path_, file_.error()); }
    [[noreturn]] void Unexpected() const { throw Failure(Problem::ArchiveUnexpected, path_); }

private:
    fs::path path_;
    File file_;
};

// Where the central directory starts. 7-Zip gives its archives no comment: the end record
// is the file's last 22 bytes. An archive past 4 GiB (ZIP64, no book this program makes)
// has no offset there.
std::uint64_t CentralDirectory(Archive& archive) {
    const std::uint64_t size = archive.Size();
    if (size < kEndSize) {
        archive.Unexpected();
    }
    const std::string end = archive.Read(size - kEndSize, kEndSize);
    if (Little(end, 0, 4) != kEnd || Little(end, 20, 2) != 0) {
        archive.Unexpected();
    }
    return Little(end, 16, 4);
}

}  // namespace

void RenameFirstEntry(const fs::path& path, std::string_view from, std::string_view to) {
    Archive archive(path);
    const std::uint64_t central = CentralDirectory(archive);
    const std::string local = archive.Read(0, kLocalHeaderSize + from.size());
    const std::string record = archive.Read(central, kCentralHeaderSize + from.size());
    const bool localIsFirst = Little(local, 0, 4) == kLocalHeader &&
                              Little(local, 26, 2) == from.size() &&
                              local.substr(kLocalHeaderSize) == from;
    const bool recordIsFirst = Little(record, 0, 4) == kCentralHeader &&
                               Little(record, 28, 2) == from.size() &&
                               record.substr(kCentralHeaderSize) == from;

    if (!localIsFirst || !recordIsFirst) {
        archive.Unexpected();
    }
    archive.Write(kLocalHeaderSize, to);
    archive.Write(central + kCentralHeaderSize, to);
    archive.Close();
}

}  // namespace velmora
