#include "epub/archiver.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "text/code_page.h"
#include "text/failure.h"
#include "text/xml_text.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr char kMimetype[] = "mimetype";
// '!' sorts before every digit and letter, so this entry comes first.
constexpr char kEarlyMimetype[] = "!mimetype";

bool IsExecutable(const fs::path& path) {
    return ::access(path.c_str(), X_OK) == 0 && !fs::is_directory(path);
}

// The archiver's own error lines, joined: the last words it had.
std::u16string ErrorLine(const std::string& output) {
    std::istringstream lines(output);
    std::string line;
    std::string joined;
    while (std::getline(lines, line)) {
        if (!line.empty()) {
            joined += joined.empty() ? line : " " + line;
        }
    }
    return codepage::FromUtf8(joined);
}

}  // namespace

fs::path FindArchiver(const fs::path& appDir) {
    if (IsExecutable(appDir / "7za")) {
        return appDir / "7za";
    }
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path != nullptr ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (!dir.empty() && IsExecutable(fs::path(dir) / "7za")) {
            return fs::path(dir) / "7za";
        }
    }
    throw Failure(u"找不到压缩程序 7za：" + PathText(appDir / "7za") + u"（PATH 中也没有）");
}

ContainerPacker::ContainerPacker(fs::path archiver, fs::path folder, fs::path stage,
                                 fs::path archive)
    : archiver_(std::move(archiver)),
      folder_(std::move(folder)),
      stage_(std::move(stage)),
      archive_(std::move(archive)) {}

void ContainerPacker::Start() {
    std::vector<std::string> arguments{"a", "-tzip", "-mx0", archive_.string()};
    // Without a mimetype (its template was missing) there is nothing to put first.
    mimetypeFirst_ = fs::exists(folder_ / kMimetype);
    if (mimetypeFirst_) {
        std::error_code error;
        fs::create_directories(stage_, error);
        fs::copy_file(folder_ / kMimetype, stage_ / kEarlyMimetype,
                      fs::copy_options::overwrite_existing, error);
        if (error) {
            throw Failure::FromErrno(u"无法写入文件", stage_ / kEarlyMimetype, error.value());
        }
        arguments.push_back((stage_ / kEarlyMimetype).string());
        arguments.push_back(std::string("-x!") + kMimetype);
    }
    arguments.push_back((folder_ / "*").string());
    running_ = std::make_unique<ChildProcess>(archiver_, arguments);
    renaming_ = false;
}

void ContainerPacker::StartRename() {
    running_ = std::make_unique<ChildProcess>(
        archiver_,
        std::vector<std::string>{"rn", "-tzip", archive_.string(), kEarlyMimetype, kMimetype});
    renaming_ = true;
}

void ContainerPacker::Check(const ExitStatus& exit) const {
    if (exit.killed) {
        throw Failure(u"压缩程序 7za 被终止（信号 " + Decimal(exit.code) + u"）：" +
                      PathText(archive_));
    }
    if (exit.code != 0) {
        throw Failure(u"压缩程序 7za 出错（退出状态 " + Decimal(exit.code) + u"）：" +
                      ErrorLine(exit.errorOutput) + u"\n" + PathText(archive_));
    }
}

bool ContainerPacker::Poll() {
    std::optional<ExitStatus> exit = running_->Poll();
    if (!exit) {
        return false;
    }
    running_.reset();
    Check(*exit);
    if (!renaming_ && mimetypeFirst_) {
        StartRename();
        return false;
    }
    return true;
}

}  // namespace velmora
