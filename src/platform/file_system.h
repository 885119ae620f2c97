#pragma once
// Folders and whole files. Each call returns 0 or the errno of what failed; none leaves
// a temporary file behind.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

// Callers of these calls replace files too: one include gives them both.
#include "platform/save_file.h"

namespace velmora {

class File;

// The path from the root: a child started in another folder still finds what it names.
std::filesystem::path Absolute(const std::filesystem::path& path);
// The file a chain of symbolic links ends at (the path itself when it is none); the end
// need not exist.
std::filesystem::path LinkTarget(const std::filesystem::path& path);

// Creates the last element of the path only (no missing parents).
[[nodiscard]] int MakeDirectory(const std::filesystem::path& path);
// Creates the folder with every missing parent; one that exists is fine.
[[nodiscard]] int MakeDirectories(const std::filesystem::path& path);
bool Exists(const std::filesystem::path& path);
bool IsDirectory(const std::filesystem::path& path);
// This user may create files in the folder.
bool IsWritableFolder(const std::filesystem::path& path);
// Both paths name one file (or folder) that exists.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);
// What tells a file from every other: its device and inode; none for a path that names none.
std::optional<std::pair<std::uint64_t, std::uint64_t>> FileIdentity(
    const std::filesystem::path& path);
// When the file was last changed, in nanoseconds since the epoch (UTC, whatever the time
// zone); none for a path that names none.
std::optional<std::int64_t> LastChanged(const std::filesystem::path& path);

[[nodiscard]] int RenameFile(const std::filesystem::path& from, const std::filesystem::path& to);
// A file that is already gone counts as removed.
[[nodiscard]] int RemoveFile(const std::filesystem::path& path);
// Every entry below the folder that is no folder (files, and FIFOs, sockets or devices too),
// in its folders as well, as far as they can be read; with the folders that could not be.

struct FolderListing {
    std::vector<std::filesystem::path> files;
    std::vector<std::pair<std::filesystem::path, int>> unreadable;  // folder, errno
};
FolderListing FilesBelow(const std::filesystem::path& folder);
// The entries directly inside the folder (none when it cannot be read).
std::vector<std::filesystem::path> Entries(const std::filesystem::path& folder);
// Their names alone: a listing of thousands without a path parsed for each.
std::vector<std::string> EntryNames(const std::filesystem::path& folder);

// Removes every file directly inside the folder, as far as it can.
void RemoveFilesIn(const std::filesystem::path& folder);
// Removes the folder with everything in it, as far as it can.
void RemoveTree(const std::filesystem::path& folder);

// A new file holding `bytes`; one that exists is not touched (EEXIST), one half written
// is removed.
[[nodiscard]] int WriteNewFile(const std::filesystem::path& path, std::string_view bytes);
// Appends in one write, to a file created when missing; a failed append cuts the file back
// to its former length.
[[nodiscard]] int AppendToFile(const std::filesystem::path& path, std::string_view bytes);
// The same through a file kept open to append to (File::Mode::AppendTo).
[[nodiscard]] int AppendTo(File& file, std::string_view bytes);

// The program at `preferred` when that is an executable file, else the first executable
// of its name on the PATH; `preferred` may be a bare name.
std::optional<std::filesystem::path> FindProgram(const std::filesystem::path& preferred);

}  // namespace velmora
