#pragma once
// Folders and whole files. Each call returns 0 or the errno of what failed; none leaves
// a temporary file behind.

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace velmora {

// The path from the root: a child started in another folder still finds what it names.
std::filesystem::path Absolute(const std::filesystem::path& path);

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

[[nodiscard]] int RenameFile(const std::filesystem::path& from, const std::filesystem::path& to);
// A file that is already gone counts as removed.
[[nodiscard]] int RemoveFile(const std::filesystem::path& path);
// Every file below the folder, in its folders too, as far as they can be read.
std::vector<std::filesystem::path> FilesBelow(const std::filesystem::path& folder);
// Removes every file directly inside the folder, as far as it can.
void RemoveFilesIn(const std::filesystem::path& folder);
// Removes the folder with everything in it, as far as it can.
void RemoveTree(const std::filesystem::path& folder);

// The file replaced by `bytes` in one step: readers see the old file or the new, whole.
[[nodiscard]] int ReplaceFile(const std::filesystem::path& path, std::string_view bytes);
// Appends in one write; a failed append cuts the file back to its former length.
[[nodiscard]] int AppendToFile(const std::filesystem::path& path, std::string_view bytes);
// Copies `from` over `to`, replacing a file there only once the copy is whole.
[[nodiscard]] int CopyFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Renames `from` over `to` in one step, copying first when `to` lies on another file system.
[[nodiscard]] int MoveFile(const std::filesystem::path& from, const std::filesystem::path& to);

// The program at `preferred` when that is an executable file, else the first executable
// of its name on the PATH; `preferred` may be a bare name.
std::optional<std::filesystem::path> FindProgram(const std::filesystem::path& preferred);

}  // namespace velmora
