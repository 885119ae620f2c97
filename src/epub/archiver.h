#pragma once
// The 7-Zip command-line archiver 7za, which packs the book's files into the EPUB container.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/child_process.h"
#include "workspace/run_layout.h"

namespace velmora {

// 7za at `beside`, else on the PATH. Raises a Failure (ArchiverMissing) when neither exists.
std::filesystem::path FindArchiver(const std::filesystem::path& beside);

// Packs the listed files of the run's epub folder into a fresh ZIP archive, every entry
// stored, with `mimetype` first as the EPUB container requires. 7-Zip sorts entries by
// name when it adds, so mimetype goes in under a name of its length that sorts before all
// others and is renamed in place once 7za is done: one run of 7za, watched without
// blocking, and the archive written once.
//
// Everything the packer writes, the archive and whatever 7za leaves beside it included,
// stays in the run's scratch folder, which goes with the packer: a packer stopped halfway
// leaves nothing behind, and the archiver is stopped before its files go.
class ContainerPacker {
public:
    // Starts packing `entries` (paths relative to the epub folder; `mimetype` is always
    // packed, first). Raises a Failure.
    ContainerPacker(const std::filesystem::path& archiver, const RunLayout& layout,
                    const std::vector<std::string>& entries);
    ContainerPacker(const ContainerPacker&) = delete;
    ContainerPacker& operator=(const ContainerPacker&) = delete;

    // Does not block: true once the archive is complete. Raises a Failure naming the
    // archiver's exit status and error lines, or the signal that killed it; or why its
    // first entry could not be renamed.
    bool Poll();
    // Readable once the archiver has ended (ChildProcess::endDescriptor); -1 when it has
    // been seen to end, or the system cannot tell.
    int EndDescriptor() const { return running_ ? running_->endDescriptor() : -1; }
    // Where the archive is made; move it out before the packer goes.
    std::filesystem::path Archive() const { return layout_.PackArchive(); }

private:
    // Empties and removes the folder when it goes, also when the packer's constructor fails.
    class ScratchFolder {
    public:
        explicit ScratchFolder(std::filesystem::path path);
        ~ScratchFolder();
        ScratchFolder(const ScratchFolder&) = delete;
        ScratchFolder& operator=(const ScratchFolder&) = delete;

    private:
        std::filesystem::path path_;
    };

    void Run(const std::vector<std::string>& arguments, const std::filesystem::path& directory);
    void Check(const ExitStatus& exit) const;

    std::filesystem::path archiver_;
    RunLayout layout_;
    ScratchFolder scratch_;
    // After the scratch folder: a run still going is stopped before its files go.
    std::unique_ptr<ChildProcess> running_;
};

}  // namespace velmora
