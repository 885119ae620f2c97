#include "epub/archiver.h"

#include "platform/file_system.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "text/template_copy.h"
#include "text/text_files.h"
#include "text/xml_text.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr char kMimetype[] = "mimetype";
// '!' sorts before every digit and letter, so this entry comes first.
constexpr char kEarlyMimetype[] = "!mimetype";
constexpr char kEntryList[] = "entries.txt";
constexpr char kArchive[] = "book.epub";

// The archiver's own error lines, joined: the last words it had.
std::u16string ErrorLine(const std::string& output) {
    std::string joined;
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = std::min(output.find('\n', start), output.size());
        if (end > start) {
            joined.append(joined.empty() ? "" : " ").append(output, start, end - start);
        }
        start = end + 1;
    }
    return codepage::FromUtf8(joined);
}

}  // namespace

fs::path FindArchiver(const fs::path& beside) {
    if (auto archiver = FindProgram(beside)) {
        return *archiver;
    }
    throw Failure(u"找不到压缩程序 7za：" + PathText(beside) + u"（PATH 中也没有）");
}

ContainerPacker::ScratchFolder::ScratchFolder(fs::path path) : path_(std::move(path)) {
    if (const int error = MakeDirectory(path_); error != 0 && error != EEXIST) {
        throw Failure::FromErrno(u"无法创建工作文件夹", path_, error);
    }
    // What an earlier build may have left, a stale archive above all: 7za would add to it.
    RemoveFilesIn(path_);
}

ContainerPacker::ScratchFolder::~ScratchFolder() {
    RemoveFilesIn(path_);
}

ContainerPacker::ContainerPacker(const fs::path& archiver, const fs::path& folder,
                                 const std::vector<std::string>& entries, fs::path scratch)
    : archiver_(archiver), scratch_(std::move(scratch)) {
    std::string list;
    for (const std::string& entry : entries) {
        if (entry != kMimetype) {
            list += entry + "\n";
        }
    }
    SaveBytes(scratch_.path() / kEntryList, list);
    SaveBytes(scratch_.path() / kEarlyMimetype, TemplateBytes(folder / kMimetype));
    // 7za reads the entries, one a line, from the list file named after "@".
    std::string listArgument = "@";
    listArgument += (scratch_.path() / kEntryList).string();
    Run({"a", "-tzip", "-mx0", "-scsUTF-8", Archive().string(),
         (scratch_.path() / kEarlyMimetype).string(), listArgument},
        folder);
}

fs::path ContainerPacker::Archive() const {
    return scratch_.path() / kArchive;
}

void ContainerPacker::Run(const std::vector<std::string>& arguments, const fs::path& directory) {
    running_ = std::make_unique<ChildProcess>(archiver_, arguments, ProcessOptions{directory});
    if (const int error = running_->startError()) {
        running_.reset();
        throw Failure::FromErrno(u"无法启动程序", archiver_, error);
    }
}

void ContainerPacker::Check(const ExitStatus& exit) const {
    switch (exit.how) {
        case ExitStatus::How::Killed:
            throw Failure(u"压缩程序 7za 被终止（信号 " + Decimal(exit.code) + u"）：" +
                          PathText(Archive()));
        case ExitStatus::How::Lost:
            throw Failure::FromErrno(u"无法等待压缩程序 7za", Archive(), exit.code);
        case ExitStatus::How::Exited:
            if (exit.code != 0) {
                throw Failure(u"压缩程序 7za 出错（退出状态 " + Decimal(exit.code) + u"）：" +
                              ErrorLine(exit.errorOutput) + u"\n" + PathText(Archive()));
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
    if (renaming_) {
        return true;
    }
    renaming_ = true;
    Run({"rn", "-tzip", Archive().string(), kEarlyMimetype, kMimetype}, scratch_.path());
    return false;
}

}  // namespace velmora
