#pragma once
// Files and folders for one test, removed afterwards, and the tools that check a book.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace velmora::testing {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path);
void WriteBytes(const fs::path& path, const std::string& bytes);
// What a cleaner takes: `path` and all in it. On Windows a run's lock stays while it is held,
// as nothing can remove it there.
void TakeAway(const fs::path& path);
// "EF BB BF" for hex-string test vectors.
std::string Hex(const std::string& spaced);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const { return path_; }
    fs::path operator/(const fs::path& relative) const { return path_ / relative; }

protected:
    fs::path path_;

private:
    fs::path root_;
};

// A program folder (its name with blanks and Chinese): template/, temp/, finished/, 7za.
class ProgramFolder : public TempDir {
public:
    explicit ProgramFolder(const fs::path& name = u8"lyric app 歌词");
};

// The tools the tests check books with (7za, epubcheck), run with an argument list.
struct CommandResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

// Raises std::runtime_error when the program cannot be started.
CommandResult RunCommand(std::vector<std::string> arguments);

// Every entry of a book: path inside the book to bytes.
std::map<std::string, std::string> ExtractBook(const fs::path& book);

}  // namespace velmora::testing
