#include "workspace/run_folders.h"

#include <cerrno>
#include <string>

#include "platform/file_system.h"
#include "platform/folder_lock.h"
#include "text/failure.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Two starts in one second share a stamp; the later one takes the next free suffix.
constexpr int kMaxStampSuffix = 1000;

void MakeFolder(const fs::path& path) {
    if (const int error = MakeDirectory(path)) {
        throw Failure(Problem::CannotCreateFolder, path, error);
    }
}

}  // namespace

fs::path MakeWorkDir(const RunLayout& layout, std::int64_t stamp) {
    const std::string base = std::to_string(stamp);
    for (int suffix = 1; suffix <= kMaxStampSuffix; ++suffix) {
        const std::string name = suffix == 1 ? base : base + "_" + std::to_string(suffix);
        const fs::path dir = layout.RunFolder(name);
        const int error = MakeDirectory(dir);
        if (error == 0) {
            return dir / "";
        }
        if (error != EEXIST) {
            throw Failure(Problem::CannotCreateFolder, dir, error);
        }
    }
    throw Failure(Problem::CannotCreateFolder, layout.RunFolder(base), EEXIST);
}

void MakeMissingFolders(const RunLayout& layout) {
    for (const auto& folder : layout.Folders()) {
        if (!IsDirectory(folder)) {
            MakeFolder(folder);
        }
    }
}

// A run that ended mid-build (killed, or its power cut) left the archiver's scratch files,
// and perhaps pages set aside; one that ended while writing its song log anew, the new log
// half written: nothing of them goes into a book, and the log they would have replaced is
// whole. A run still going is locked and left alone.
void ClearEarlierRuns(const RunLayout& layout) {
    for (const fs::path& folder : Entries(layout.RunsFolder())) {
        const RunLayout other = layout.ForRun(folder);
        if (SameFile(folder, layout.WorkDir())) {
            continue;
        }
        std::vector<fs::path> logs = Entries(folder);
        std::erase_if(logs, [](const fs::path& file) {
            const std::string name = file.filename().string();
            return !name.starts_with(".lyric.txt.") || !name.ends_with(".part");
        });
        const bool packing = IsDirectory(other.PackFolder());
        if (!packing && logs.empty()) {
            continue;
        }
        if (const FolderLock ended(folder); ended.held()) {
            if (packing) {
                RemoveTree(other.PackFolder());
            }
            for (const fs::path& file : Entries(other.Epub("text"))) {
                if (packing && RunLayout::IsLeftOver(file)) {
                    (void)RemoveFile(file);
                }
            }
            for (const fs::path& log : logs) {
                (void)RemoveFile(log);
            }
        }
    }
}

}  // namespace velmora
