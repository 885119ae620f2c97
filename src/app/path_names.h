#pragma once
// Paths between Qt's text and the core's std::filesystem::path: a name's bytes as the file
// system holds them on Linux, UTF-16 on Windows, where Qt's 8-bit names would be the ANSI
// code page's.

#include <QString>

#include <filesystem>
#include <vector>

std::filesystem::path PathOf(const QString& name);
QString NameOf(const std::filesystem::path& path);

// The files named on the command line after the program: their bytes on Linux; on
// Windows, where argv holds the ANSI code page's rendering of them, what the system was
// given as UTF-16.
std::vector<std::filesystem::path> CommandLineFiles(int argc, char* argv[]);
