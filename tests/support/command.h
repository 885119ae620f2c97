#pragma once
// The tools the tests check the book with (7za, epubcheck, pandoc), run with an argument
// list.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace velmora::testing {

struct CommandResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

// Raises std::runtime_error when the program cannot be started.
CommandResult RunCommand(std::vector<std::string> arguments);

// Every entry of a book: path inside the book to bytes.
std::map<std::string, std::string> ExtractBook(const std::filesystem::path& book);

}  // namespace velmora::testing
