#include "support/files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "import/zip_archive.h"
#include "platform/child_process.h"
#include "platform/file_system.h"

namespace velmora::testing {

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
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

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "velmora-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = root_ = pattern;
    // Open to every user: some tests look at it as an unprivileged user.
    ::chmod(root_.c_str(), 0755);
}

TempDir::~TempDir() {
    // Tests take write access away; give it back so that everything can go.
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(root_, ignored)) {
        if (!entry.is_symlink(ignored) && entry.is_directory(ignored)) {
            ::chmod(entry.path().c_str(), 0755);
        }
    }
    fs::remove_all(root_, ignored);
}

ProgramFolder::ProgramFolder(const fs::path& name) {
    path_ /= name;
    fs::create_directories(path_);
    fs::copy(VELMORA_TEMPLATE_DIR, path_ / "template", fs::copy_options::recursive);
    fs::create_directory(path_ / "temp");
    fs::create_directory(path_ / "finished");
#ifdef _WIN32
    fs::copy_file(FindProgram("7za").value(), path_ / "7za.exe");
#else
    fs::create_symlink("/usr/bin/7za", path_ / "7za");
#endif
}

CommandResult RunCommand(std::vector<std::string> arguments) {
    const auto program = FindProgram(arguments.front());
    ChildProcess process(program.value_or(arguments.front()),
                         std::vector(arguments.begin() + 1, arguments.end()),
                         ProcessOptions{{}, true, true});
    if (process.startError() != 0) {
        throw std::runtime_error("cannot run " + arguments.front());
    }
    const ExitStatus exit = process.Wait();
    return {exit.how == ExitStatus::How::Exited ? exit.code : -1, exit.output + exit.errorOutput};
}

std::map<std::string, std::string> ExtractBook(const fs::path& book) {
    return ZipEntries(ReadBytes(book), 1 << 30);
}

}  // namespace velmora::testing
