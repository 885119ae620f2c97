#include "support/bytes.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace velmora::testing {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Hex(const std::string& spaced) {
    std::istringstream in(spaced);
    std::string bytes;
    for (unsigned byte = 0; in >> std::hex >> byte;) {
        bytes.push_back(static_cast<char>(byte));
    }
    return bytes;
}

}  // namespace velmora::testing
