#include "support/zip_reader.h"

#include <stdexcept>

namespace velmora::testing {
namespace {

std::uint32_t Little(const std::string& bytes, std::size_t at, int size) {
    if (at + static_cast<std::size_t>(size) > bytes.size()) {
        throw std::runtime_error("zip: truncated");
    }
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

}  // namespace

std::vector<ZipEntry> ReadZip(const std::string& archive) {
    const std::size_t end = archive.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos) {
        throw std::runtime_error("zip: no end of central directory");
    }
    const std::uint32_t count = Little(archive, end + 10, 2);
    std::size_t at = Little(archive, end + 16, 4);
    std::vector<ZipEntry> entries;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (Little(archive, at, 4) != 0x02014b50) {
            throw std::runtime_error("zip: bad central header");
        }
        ZipEntry entry;
        entry.method = static_cast<std::uint16_t>(Little(archive, at + 10, 2));
        const std::uint32_t size = Little(archive, at + 20, 4);
        const std::uint32_t nameLength = Little(archive, at + 28, 2);
        const std::uint32_t extraLength = Little(archive, at + 30, 2);
        const std::uint32_t commentLength = Little(archive, at + 32, 2);
        entry.localHeaderOffset = Little(archive, at + 42, 4);
        entry.name = archive.substr(at + 46, nameLength);
        const std::size_t local = entry.localHeaderOffset;
        entry.localExtraLength = static_cast<std::uint16_t>(Little(archive, local + 28, 2));
        if (entry.method == 0) {
            const std::size_t data =
                local + 30 + Little(archive, local + 26, 2) + entry.localExtraLength;
            entry.data = archive.substr(data, size);
        }
        entries.push_back(std::move(entry));
        at += 46 + nameLength + extraLength + commentLength;
    }
    return entries;
}

}  // namespace velmora::testing
