#pragma once
// The 7-Zip command-line archiver 7za, which packs the epub tree into the EPUB container.

#include <filesystem>
#include <memory>

#include "epub/child_process.h"

namespace velmora {

// 7za beside the program, else on the PATH. Raises a Failure when neither exists.
std::filesystem::path FindArchiver(const std::filesystem::path& appDir);

// Packs a folder into a fresh ZIP archive, every entry stored, with `mimetype` as the
// first entry as the EPUB container requires. 7-Zip sorts entries by name when it adds,
// so mimetype goes in under a name that sorts before all others and is then renamed
// (a rename keeps the order): two runs of 7za, watched without blocking.
class ContainerPacker {
public:
    // `stage` is a scratch folder for the early-sorting copy of mimetype.
    ContainerPacker(std::filesystem::path archiver, std::filesystem::path folder,
                    std::filesystem::path stage, std::filesystem::path archive);

    // Starts the first run. Raises a Failure.
    void Start();
    // Does not block: true once the archive is complete. Raises a Failure naming the
    // archiver's exit status and error line, or the signal that killed it.
    bool Poll();

private:
    void StartRename();
    void Check(const ExitStatus& exit) const;

    std::filesystem::path archiver_;
    std::filesystem::path folder_;
    std::filesystem::path stage_;
    std::filesystem::path archive_;
    std::unique_ptr<ChildProcess> running_;
    bool mimetypeFirst_ = false;
    bool renaming_ = false;
};

}  // namespace velmora
