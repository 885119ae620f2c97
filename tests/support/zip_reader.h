#pragma once
// Reads a ZIP archive's central directory and the data of its stored entries, so that
// tests see the book exactly as a reading system does.

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::testing {

struct ZipEntry {
    std::string name;
    std::uint16_t method = 0;  // 0: stored
    std::uint16_t localExtraLength = 0;
    std::uint32_t localHeaderOffset = 0;
    std::string data;  // stored entries only
};

// In central-directory order. Raises std::runtime_error for a malformed archive.
std::vector<ZipEntry> ReadZip(const std::string& archive);

}  // namespace velmora::testing
