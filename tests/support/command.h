#pragma once
// Runs a tool the tests check with (epubcheck, pandoc), arguments as a list, and
// captures what it prints.

#include <string>
#include <vector>

namespace velmora::testing {

struct CommandResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

// Raises std::runtime_error when the program cannot be started.
CommandResult RunCommand(const std::vector<std::string>& arguments);

}  // namespace velmora::testing
