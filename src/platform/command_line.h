#pragma once
// A program's arguments as one Windows command line, quoted so that the program's start-up
// code (CommandLineToArgvW, and the C runtime's, which follows the same rules) gives them
// back one for one: no shell ever sees them.

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

std::wstring QuotedArgument(std::wstring_view argument);

// The arguments, the program's own path first, each quoted and one space apart.
std::wstring CommandLine(const std::vector<std::wstring>& arguments);

}  // namespace velmora
