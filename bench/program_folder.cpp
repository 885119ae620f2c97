#include "program_folder.h"

#include <unistd.h>

#include <stdexcept>

#include "epub/archiver.h"

namespace fs = std::filesystem;

fs::path TemporaryRoot() {
    std::string pattern = (fs::temp_directory_path() / "velmora-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    return pattern;
}

fs::path ProgramFolder(const fs::path& root, const std::string& name, const fs::path& templates) {
    const fs::path app = root / name;
    fs::create_directories(app);
    fs::copy(templates, app / "template", fs::copy_options::recursive);
    fs::create_directory(app / "temp");
    fs::create_directory(app / "finished");
    fs::create_symlink(velmora::FindArchiver(app / "7za"), app / "7za");
    return app;
}
