#include "support/small_disk.h"

#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <string>

namespace velmora::testing {

std::unique_ptr<SmallDisk> SmallDisk::Mount(std::uint64_t bytes) {
    std::unique_ptr<SmallDisk> disk(new SmallDisk());
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    if (::geteuid() != 0 ||
        ::mount("velmora-test", disk->path().c_str(), "tmpfs", 0, options.c_str()) != 0) {
        return nullptr;
    }
    return disk;
}

SmallDisk::~SmallDisk() {
    ::umount2(path().c_str(), MNT_DETACH);
}

void SmallDisk::FillLeaving(int blocks) {
    const auto filler = path() / "filler";
    {
        std::ofstream out(filler, std::ios::binary);
        const std::string block(4096, 'x');
        while (out.write(block.data(), static_cast<std::streamsize>(block.size()))) {
        }
    }
    struct statvfs info {};
    ::statvfs(path().c_str(), &info);
    const auto size = std::filesystem::file_size(filler);
    std::filesystem::resize_file(
        filler, size - (size % info.f_bsize) - static_cast<std::uint64_t>(blocks) * info.f_bsize);
}

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    // A write past the limit then fails with EFBIG instead of killing the process.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, SIG_DFL);
}

void LayOutProgramFolder(const std::filesystem::path& app) {
    std::filesystem::create_directories(app);
    std::filesystem::copy(VELMORA_TEMPLATE_DIR, app / "template",
                          std::filesystem::copy_options::recursive);
    std::filesystem::create_directory(app / "temp");
    std::filesystem::create_directory(app / "finished");
}

}  // namespace velmora::testing
