#include "support/files.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "import/zip_archive.h"
#include "platform/child_process.h"
#include "platform/file_system.h"
#include "platform/random_bytes.h"

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

#ifdef _WIN32
namespace {

// An archiver just ended may still hold its working folder for a moment (Wine lets it go a
// little after its end is seen): try again for up to a second before giving up.
void RemoveAllSoon(const fs::path& path) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        std::error_code error;
        fs::remove_all(path, error);
        if (!error) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    fs::remove_all(path);
}

}  // namespace
#endif

void TakeAway(const fs::path& path) {
#ifdef _WIN32
    if (fs::exists(path / ".lock")) {
        for (const auto& entry : fs::directory_iterator(path)) {
            if (entry.path().filename() != ".lock") {
                RemoveAllSoon(entry.path());
            }
        }
        return;
    }
    RemoveAllSoon(path);
#else
    fs::remove_all(path);
#endif
}

std::string Hex(const std::string& spaced) {
    std::istringstream in(spaced);
    std::string bytes;
    for (unsigned byte = 0; in >> std::hex >> byte;) {
        bytes.push_back(static_cast<char>(byte));
    }
    return bytes;
}

namespace {

// rwxr-xr-x: open to every user, for the tests that look as an unprivileged user.
constexpr fs::perms kOpen = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec;

}  // namespace

TempDir::TempDir() {
    for (int error = EEXIST; error == EEXIST;) {
        std::uint8_t random[6];
        if (RandomBytes(random) != 0) {
            throw std::runtime_error("no random bytes for a folder's name");
        }
        char name[32];
        std::snprintf(name, sizeof name, "velmora-test-%02x%02x%02x%02x%02x%02x", random[0],
                      random[1], random[2], random[3], random[4], random[5]);
        root_ = fs::temp_directory_path() / name;
        error = MakeDirectory(root_);
        if (error != 0 && error != EEXIST) {
            throw std::runtime_error("cannot make " + root_.string());
        }
    }
    path_ = root_;
    std::error_code ignored;
    fs::permissions(root_, kOpen, ignored);
}

TempDir::~TempDir() {
    // Tests take write access away; give it back so that everything can go.
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(root_, ignored)) {
        if (!entry.is_symlink(ignored) && entry.is_directory(ignored)) {
            fs::permissions(entry.path(), kOpen, ignored);
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
