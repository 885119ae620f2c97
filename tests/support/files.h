#pragma once
// Files and folders for one test: bytes read and written, folders removed with everything
// in them afterwards, the means to make the system refuse them something for real, and the
// tools that check a book.

#include <sys/resource.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace velmora::testing {

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
// "EF BB BF" for hex-string test vectors.
std::string Hex(const std::string& spaced);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const {
        return path_ / relative;
    }

protected:
    std::filesystem::path path_;

private:
    std::filesystem::path root_;
};

// A program folder: template/ from the source tree, empty temp/ and finished/, and 7za
// linked beside the program. Its own name holds blanks and Chinese.
class ProgramFolder : public TempDir {
public:
    explicit ProgramFolder(const std::filesystem::path& name = "lyric app 歌词");
};

// Runs `check` without root's power over permissions (as the user nobody in a child process
// when run as root); true when it returned true.
bool RunUnprivileged(const std::function<bool()>& check);

// A full disk as far as this process can tell: no file grows past `bytes` while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
};

// The tools the tests check books with (7za, epubcheck), run with an argument list.
struct CommandResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

// Raises std::runtime_error when the program cannot be started.
CommandResult RunCommand(std::vector<std::string> arguments);

// Every entry of a book: path inside the book to bytes.
std::map<std::string, std::string> ExtractBook(const std::filesystem::path& book);

}  // namespace velmora::testing
