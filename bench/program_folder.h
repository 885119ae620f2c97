#pragma once
// The folders the benchmarks run in: a fresh one under the temporary folder, and a program
// folder below it as the program is laid out.

#include <filesystem>
#include <string>

std::filesystem::path TemporaryRoot();

// A program folder below `root`, with 7za linked beside the program.
std::filesystem::path ProgramFolder(const std::filesystem::path& root, const std::string& name,
                                    const std::filesystem::path& templates);
