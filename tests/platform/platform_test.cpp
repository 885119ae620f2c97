// Files replaced, copied and moved the way the user's files must be (whole or not at all,
// flushed, their permissions and links kept), whole-file reads that no file can hang or
// balloon, and children that die with the program.

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/child_process.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "support/faults.h"
#include "support/files.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;

unsigned ModeOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Every way of putting a file in place, with a fault in each step: the target is the new
// file whole, or the old one as it was; the source of a move stays unless it arrived; and
// no temporary file is left.
TEST(FilePlacing, IsWholeOrNothing) {
    enum Way { Replace, Copy, Move };
    const struct {
        const char* name;
        Way way;
        Fault fault;
        int error;  // 0: done
    } table[] = {
        {"Replace", Replace, {Call::Open, "none"}, 0},
        {"ReplaceWriteFails", Replace, {Call::Write, ".target.", ENOSPC, 3}, ENOSPC},
        {"ReplaceRenameFails", Replace, {Call::Rename, "target", EACCES}, EACCES},
        {"Copy", Copy, {Call::Open, "none"}, 0},
        {"CopyOfAnUnreadableSource", Copy, {Call::Open, "source", EACCES}, EACCES},
        {"CopySourceReadFails", Copy, {Call::Read, "source", EIO, 2}, EIO},
        {"CopyWriteFails", Copy, {Call::Write, ".target.", ENOSPC, 3}, ENOSPC},
        {"CopyNotFlushed", Copy, {Call::Fsync, ".target.", EIO}, EIO},
        {"Move", Move, {Call::Open, "none"}, 0},
        {"MoveAcrossFileSystems", Move, {Call::Rename, "source", EXDEV}, 0},
        {"MoveAcrossFileSystemsCopyFails", Move, {Call::Rename, "source", EXDEV}, ENOSPC},
        {"MoveNotFlushed", Move, {Call::Fsync, "source", EIO}, EIO},
    };
    for (const auto& row : table) {
        TempDir dir;
        const fs::path source = dir / "source", target = dir / "target";
        WriteBytes(source, "new bytes");
        WriteBytes(target, "old");
        std::vector<Fault> faults{row.fault};
        if (std::string(row.name) == "MoveAcrossFileSystemsCopyFails") {
            faults.push_back({Call::Write, ".target.", ENOSPC, 3});
        }
        int error = 0;
        {
            InjectedFaults injected(faults);
            error = row.way == Replace ? ReplaceFile(target, "new bytes")
                    : row.way == Copy  ? CopyFile(source, target)
                                       : MoveFile(source, target);
        }
        EXPECT_EQ(error, row.error) << row.name;
        EXPECT_EQ(ReadBytes(target), error == 0 ? "new bytes" : "old") << row.name;
        const bool moved = row.way == Move && error == 0;
        EXPECT_EQ(fs::exists(source), !moved) << row.name;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), moved ? 1 : 2) << row.name;
    }
}

// As QSaveFile keeps them: the permissions of the file replaced, the link that named it.
// A name of 255 bytes (the file system's longest) still has room for the temporary file.
TEST(FilePlacing, KeepsPermissionsAndLinks) {
    TempDir dir;
    WriteBytes(dir / "book", "old");
    ::chmod((dir / "book").c_str(), 0600);
    fs::create_directory(dir / "shelf");
    fs::create_symlink("../book", dir / "shelf" / "link");
    WriteBytes(dir / "source", "new");
    const fs::path longest = dir / std::string(255, 'x');
    for (const fs::path& target : {dir / "shelf" / "link", longest}) {
        ASSERT_EQ(CopyFile(dir / "source", target), 0) << target;
    }
    EXPECT_TRUE(fs::is_symlink(dir / "shelf" / "link"));
    EXPECT_EQ(ReadBytes(dir / "book"), "new");
    EXPECT_EQ(ModeOf(dir / "book"), 0600u);
    EXPECT_EQ(ReadBytes(longest), "new");
    WriteBytes(dir / "archive", "newer");
    ASSERT_EQ(MoveFile(dir / "archive", dir / "shelf" / "link"), 0);
    EXPECT_EQ(ReadBytes(dir / "book"), "newer");
    EXPECT_EQ(ModeOf(dir / "book"), 0600u);
    // Only a regular file is replaced: never a loop of links, a folder or a FIFO (nor a
    // device, which root could otherwise replace).
    fs::create_symlink("loop", dir / "loop");
    ::mkfifo((dir / "fifo").c_str(), 0600);
    for (const auto& [target, error] :
         {std::pair{dir / "loop", ELOOP}, {dir / "shelf", EISDIR}, {dir / "fifo", EINVAL}}) {
        EXPECT_EQ(CopyFile(dir / "source", target), error) << target;
        EXPECT_EQ(MoveFile(dir / "source", target), error) << target;
    }
    EXPECT_TRUE(fs::is_fifo(dir / "fifo") && fs::is_symlink(dir / "loop"));
}

// Only regular files are read, each no further than its limit, whatever its size claims.
TEST(WholeFile, ReadsOnlyRegularFilesUpToTheLimit) {
    TempDir dir;
    WriteBytes(dir / "ten", "0123456789");
    ::mkfifo((dir / "fifo").c_str(), 0600);
    fs::create_symlink("/dev/zero", dir / "zero.lrc");
    fs::create_symlink("fifo", dir / "fifo.lrc");
    using Status = FileContent::Status;
    const struct {
        fs::path path;
        std::uint64_t limit;
        Status status;
    } table[] = {
        {dir / "ten", 10, Status::Read},
        {dir / "ten", 9, Status::TooLarge},
        {dir / "fifo", 10, Status::NotRegular},
        {dir / "fifo.lrc", 10, Status::NotRegular},
        {dir / "zero.lrc", 10, Status::NotRegular},
        {dir.path(), 10, Status::NotRegular},
        {dir / "gone", 10, Status::CannotOpen},
    };
    for (const auto& row : table) {
        const FileContent content = ReadWholeFile(row.path, row.limit);
        EXPECT_EQ(content.status, row.status) << row.path << " " << row.limit;
        EXPECT_EQ(content.bytes, row.status == Status::Read ? "0123456789" : "") << row.path;
    }
    EXPECT_EQ(ReadWholeFile(dir / "ten", 10, [] { return false; }).status, Status::Stopped);
}

// A child is waited for whether or not the system can watch its end: its descriptor turns
// readable when it ends, and without one Wait() looks now and then.
TEST(ChildProcessTest, IsWaitedForWithOrWithoutAnEndToWatch) {
    for (const bool watched : {true, false}) {
        InjectedFaults faults(watched ? std::vector<Fault>{}
                                      : std::vector<Fault>{{Call::WatchEnd, "/bin/sh", ENOSYS}});
        ChildProcess child("/bin/sh", {"-c", "echo out; exit 3"}, {{}, true, true});
        ASSERT_EQ(child.endDescriptor() >= 0, watched);
        if (watched) {
            pollfd end{child.endDescriptor(), POLLIN, 0};
            EXPECT_EQ(::poll(&end, 1, 20000), 1);
        }
        const ExitStatus exit = child.Wait();
        EXPECT_EQ(exit.code, 3) << watched;
        EXPECT_EQ(exit.output, "out\n") << watched;
    }
}

// A program killed with -9 takes its children with it, even one it started as it died.
TEST(ChildProcessTest, DiesWithTheProgram) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const pid_t program = ::fork();
    if (program == 0) {
        ChildProcess sleeper("/bin/sleep", {"30"});
        const pid_t child = ::getpid();
        [[maybe_unused]] const ssize_t sent = ::write(ends[1], &child, sizeof child);
        ::pause();
    }
    pid_t ignored = 0;
    ASSERT_EQ(::read(ends[0], &ignored, sizeof ignored), static_cast<ssize_t>(sizeof ignored));
    const std::string children =
        "/proc/" + std::to_string(program) + "/task/" + std::to_string(program) + "/children";
    const std::string sleeper = ReadBytes(children);
    ASSERT_FALSE(sleeper.empty());
    ::kill(program, SIGKILL);
    ::waitpid(program, nullptr, 0);
    const fs::path sleeperProc = "/proc/" + sleeper.substr(0, sleeper.find(' '));
    for (int tries = 0; tries < 100 && fs::exists(sleeperProc / "exe"); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(fs::exists(sleeperProc / "exe"));
    ::close(ends[0]);
    ::close(ends[1]);
}

}  // namespace
}  // namespace velmora
