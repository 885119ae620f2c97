#include "epub/archiver.h"

#include <cerrno>

#include "epub/zip_entry_name.h"
#include "platform/file_system.h"
#include "text/failure.h"
#include "text/template_copy.h"
#include "text/text_files.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr char kMimetype[] = "mimetype";

// The archiver's own error lines, joined: the last words it had. On Windows its lines end
// in "\r\n".
std::string ErrorLines(const std::string& output) {
    std::string joined;
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t next = std::min(output.find('\n', start), output.size());
        const std::size_t end = next > start && output[next - 1] == '\r' ? next - 1 : next;
        if (end > start) {
            joined.append(joined.empty() ? "" : " ").append(output, start, end - start);
        }
        start = next + 1;
    }
    return joined;
}

}  // namespace

fs::path FindArchiver(const fs::path& beside) {
    if (auto archiver = FindProgram(beside)) {
        return *archiver;
    }
    throw Failure(Problem::ArchiverMissing, beside);
}

ContainerPacker::ScratchFolder::ScratchFolder(fs::path path) : path_(std::move(path)) {
    if (const int error = MakeDirectory(path_); error != 0 && error != EEXIST) {
        throw Failure(Problem::CannotCreateFolder, path_, error);
    }
    // What an earlier build may have left, a stale archive above all: 7za would add to it.
    RemoveFilesIn(path_);
}

ContainerPacker::ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

ContainerPacker::ContainerPacker(const fs::path& archiver, const RunLayout& layout,
                                 const std::vector<std::string>& entries)
    : archiver_(archiver), layout_(layout), scratch_(layout.PackFolder()) {
    std::string list;
    for (const std::string& entry : entries) {
        if (entry != kMimetype) {
            list += entry + "\n";
        }
    }
    SaveBytes(layout_.PackEntryList(), list);
    SaveBytes(layout_.PackMimetype(), TemplateBytes(layout_.Epub(kMimetype)));
    // 7za reads the entries, one a line, from the list file named after "@".
    std::string listArgument = "@";
    listArgument += layout_.PackEntryList().string();
    Run({"a", "-tzip", "-mx0", "-scsUTF-8", Archive().string(), layout_.PackMimetype().string(),
         listArgument},
        layout_.Epub());
}

void ContainerPacker::Run(const std::vector<std::string>& arguments, const fs::path& directory) {
    running_ = std::make_unique<ChildProcess>(archiver_, arguments, ProcessOptions{directory});
    if (const int error = running_->startError()) {
        running_.reset();
        throw Failure(Problem::CannotStart, archiver_, error);
    }
}

void ContainerPacker::Check(const ExitStatus& exit) const {
    switch (exit.how) {
        case ExitStatus::How::Killed:
            throw Failure(Problem::ArchiverKilled, Archive(), exit.code);
        case ExitStatus::How::Lost:
            throw Failure(Problem::ArchiverLost, Archive(), exit.code);
        case ExitStatus::How::Exited:
            if (exit.code != 0) {
                throw Failure(Problem::ArchiverFailed, Archive(), exit.code,
                              ErrorLines(exit.errorOutput));
            }
    }
}

bool ContainerPacker::Poll() {
    std::optional<ExitStatus> exit = running_->Poll();
    if (!exit) {
        return false;
    }
    running_.reset();
    Check(*exit);
    RenameFirstEntry(Archive(), layout_.PackMimetype().filename().string(), kMimetype);
    return true;
}

}  // namespace velmora
