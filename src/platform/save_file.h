#pragma once
// Files replaced whole: written to a temporary file beside them and renamed over, so that
// readers see the old file or the new, never part of either. Each call returns 0 or the
// errno of what failed; none leaves a temporary file behind.

#include <filesystem>
#include <memory>
#include <string_view>

// <windows.h> makes macros of three of these names; included before this header, they would
// rename the calls below to Win32's own.
#ifdef _WIN32
#undef ReplaceFile
#undef CopyFile
#undef MoveFile
#endif

namespace velmora {

class File;

// The file replaced by `bytes` in one step: readers see the old file or the new, whole.
// For the run's own files: nothing is flushed to the disk.
[[nodiscard]] int ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

// A file the user keeps, replaced as QSaveFile::commit() does: written to a temporary file
// beside it, flushed to the disk, renamed over it, and its folder flushed; it keeps the
// permissions of the file it replaces, and a symbolic link keeps pointing where it did,
// at the new file. Until committed, the old file stays as it was; a save never committed
// leaves nothing.
class SaveFile {
public:
    explicit SaveFile(const std::filesystem::path& target);
    ~SaveFile();
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    bool write(std::string_view bytes);
    // 0 once the file is in place, else the errno of the first failure.
    [[nodiscard]] int commit();

private:
    bool fail(int error);

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::unique_ptr<File> file_;
    int error_ = 0;
};

// Copies `from` over `to` as a SaveFile.
[[nodiscard]] int CopyFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Puts `from` in place of `to` as a SaveFile does (flushed, permissions and links kept), by a
// rename, or a copy when `to` lies on another file system; `from` stays when the copy fails.
[[nodiscard]] int MoveFile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace velmora
