#include "support/temp_dir.h"

#include <sys/stat.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace velmora::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
    // Open to every user: some tests look at it as an unprivileged user.
    ::chmod(path_.c_str(), 0755);
}

TempDir::~TempDir() {
    // Tests take write access away; give it back so that everything can go.
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
        if (!entry.is_symlink(ignored) && entry.is_directory(ignored)) {
            ::chmod(entry.path().c_str(), 0755);
        }
    }
    ::chmod(path_.c_str(), 0755);
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace velmora::testing
