// Files put in place whole or not at all, flushed, permissions and links kept; whole-file
// reads no file can hang or balloon; children that die with the program.

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

using namespace testing;

// Every way of placing a file, a fault in each step: the target new and whole or old as it
// was; a move's source stays unless it arrived; no temporary file left.
TEST(FilePlacing, IsWholeOrNothing) {
    enum Way { Replace, Copy, Move };
    const Fault none{Call::Open, "none"}, full{Call::Write, ".target.", ENOSPC, 3},
        crossing{Call::Rename, "source", EXDEV};
    // The error each gives, 0 when done.
    const std::tuple<const char*, Way, std::vector<Fault>, int> table[] = {
        {"Replace", Replace, {none}, 0},
        {"ReplaceWriteFails", Replace, {full}, ENOSPC},
        {"ReplaceRenameFails", Replace, {{Call::Rename, "target", EACCES}}, EACCES},
        {"Copy", Copy, {none}, 0},
        {"CopyOfAnUnreadableSource", Copy, {{Call::Open, "source", EACCES}}, EACCES},
        {"CopySourceReadFails", Copy, {{Call::Read, "source", EIO, 2}}, EIO},
        {"CopyWriteFails", Copy, {full}, ENOSPC},
        {"CopyNotFlushed", Copy, {{Call::Fsync, ".target.", EIO}}, EIO},
        {"Move", Move, {none}, 0},
        {"MoveAcrossFileSystems", Move, {crossing}, 0},
        {"MoveAcrossFileSystemsCopyFails", Move, {crossing, full}, ENOSPC},
        {"MoveNotFlushed", Move, {{Call::Fsync, "source", EIO}}, EIO},
    };
    for (const auto& [name, way, faults, expected] : table) {
        SCOPED_TRACE(name);
        TempDir dir;
        const fs::path source = dir / "source", target = dir / "target";
        WriteBytes(source, "new bytes");
        WriteBytes(target, "old");
        int error = 0;
        {
            InjectedFaults injected(faults);
            error = way == Replace ? ReplaceFile(target, "new bytes")
                    : way == Copy  ? CopyFile(source, target)
                                   : MoveFile(source, target);
        }
        EXPECT_EQ(error, expected);
        EXPECT_EQ(ReadBytes(target), error == 0 ? "new bytes" : "old");
        const bool moved = way == Move && error == 0;
        EXPECT_EQ(fs::exists(source), !moved);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), moved ? 1 : 2);
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
    for (const auto& [place, bytes] : {std::pair{&CopyFile, "copied"}, {&MoveFile, "moved"}}) {
        WriteBytes(dir / "source", bytes);
        ASSERT_EQ(place(dir / "source", dir / "shelf" / "link"), 0) << bytes;
        EXPECT_TRUE(fs::is_symlink(dir / "shelf" / "link"));
        EXPECT_EQ(ReadBytes(dir / "book"), bytes);
        EXPECT_EQ(fs::status(dir / "book").permissions(), fs::perms(0600));
    }
    WriteBytes(dir / "source", "new");
    ASSERT_EQ(CopyFile(dir / "source", dir / std::string(255, 'x')), 0);
    // Only a regular file is replaced: not a loop of links, a folder, a FIFO (nor a device).
    fs::create_symlink("loop", dir / "loop");
    ::mkfifo((dir / "fifo").c_str(), 0600);
    for (const auto& [target, error] :
         {std::pair{dir / "loop", ELOOP}, {dir / "shelf", EISDIR}, {dir / "fifo", EINVAL}}) {
        EXPECT_EQ(CopyFile(dir / "source", target), error) << target;
        EXPECT_EQ(MoveFile(dir / "source", target), error) << target;
    }
    EXPECT_TRUE(fs::is_fifo(dir / "fifo") && fs::is_symlink(dir / "loop"));
}

TEST(WholeFile, ReadsOnlyRegularFilesUpToTheLimit) {
    TempDir dir;
    WriteBytes(dir / "ten", "0123456789");
    ::mkfifo((dir / "fifo").c_str(), 0600);
    fs::create_symlink("/dev/zero", dir / "zero.lrc");
    using Status = FileContent::Status;
    const std::tuple<fs::path, std::uint64_t, Status> table[] = {
        {dir / "ten", 10, Status::Read},        {dir / "ten", 9, Status::TooLarge},
        {dir / "fifo", 10, Status::NotRegular}, {dir / "zero.lrc", 10, Status::NotRegular},
        {dir.path(), 10, Status::NotRegular},   {dir / "gone", 10, Status::CannotOpen},
    };
    for (const auto& [path, limit, status] : table) {
        const FileContent content = ReadWholeFile(path, limit);
        EXPECT_EQ(content.status, status) << path << " " << limit;
        EXPECT_EQ(content.bytes, status == Status::Read ? "0123456789" : "") << path;
    }
    EXPECT_EQ(ReadWholeFile(dir / "ten", 10, [] { return false; }).status, Status::Stopped);
}

// Waited for with or without a descriptor that turns readable at its end (else polled).
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
        [[maybe_unused]] const ssize_t sent = ::write(ends[1], "!", 1);
        ::pause();
    }
    char started = 0;
    ASSERT_EQ(::read(ends[0], &started, 1), 1);
    const std::string pid = std::to_string(program);
    const std::string sleeper = ReadBytes("/proc/" + pid + "/task/" + pid + "/children");
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
