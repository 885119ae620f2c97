// Faults provoked for real: a full disk, an archiver killed while it writes, folders and
// templates the program may not touch. In every case the failure is named, and nothing is
// lost: the collection, the song log, the old book; no temporary file stays behind.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "epub/book_maker.h"
#include "support/build_fakes.h"
#include "support/bytes.h"
#include "support/fakes.h"
#include "support/program_folder.h"
#include "support/small_disk.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "workspace/workspace.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;

// One run in a program folder at `app`, with three songs and an old book.
class RunInFolder {
public:
    explicit RunInFolder(fs::path appDir) : app(std::move(appDir)) {
        fs::create_symlink("/usr/bin/7za", app / "7za");
        run.ReadyToMake();
        for (const char16_t* name : {u"春天", u"月光", u"Tom & Jerry"}) {
            run.AddLyric(name, u"第一行\r\n第二行");
        }
        WriteBytes(maker.BookPath(), "the old book");
    }

    std::u16string Build() { return BuildToEnd(maker); }

    std::u16string Add(const std::u16string& name, const std::u16string& lyric) {
        try {
            run.AddLyric(name, lyric);
            return u"";
        } catch (const Failure& failure) {
            return failure.message();
        }
    }

    // The old book as it was, and nothing else in finished/.
    bool OldBookKept() const {
        return ReadBytes(maker.BookPath()) == "the old book" &&
               std::distance(fs::directory_iterator(app / "finished"), {}) == 1;
    }

    bool CollectionIntact(const std::string& log) const {
        return run.SongCount() == 3 && view.list.size() == 3 && view.emptied == 3 &&
               run.SongNames().size() == 5 && ReadBytes(run.WorkDir() / "lyric.txt") == log &&
               !fs::exists(run.WorkDir() / "epub" / "text" / "part0004.html");
    }

    fs::path app;
    FixedClock clock{kNewYear2024};
    FakeView view;
    FakeBuildView buildView;
    Workspace run{app, clock, view};
    BookMaker maker{run, clock, buildView};
};

bool Names(const std::u16string& message, const fs::path& path, const char16_t* reason) {
    return message.find(PathText(path)) != std::u16string::npos &&
           message.find(reason) != std::u16string::npos;
}

// A run in a program folder on a 1 MiB tmpfs.
class FullDiskTmpfs : public ::testing::Test {
protected:
    void SetUp() override {
        disk = SmallDisk::Mount(1 << 20);
        if (!disk) {
            GTEST_SKIP()
                << "no tmpfs can be mounted here (needs root); the file-size limit tests run "
                   "instead";
        }
        LayOutProgramFolder(disk->path() / "app");
        run = std::make_unique<RunInFolder>(disk->path() / "app");
    }

    std::unique_ptr<SmallDisk> disk;
    std::unique_ptr<RunInFolder> run;
};

TEST_F(FullDiskTmpfs, WhileAPageIsWritten) {
    RunInFolder& r = *run;
    const std::string log = ReadBytes(r.run.WorkDir() / "lyric.txt");
    disk->FillLeaving(2);  // room for the song's log record, not for its page
    const std::u16string message = r.Add(u"第四首", std::u16string(3000, u'歌'));
    EXPECT_TRUE(Names(message, r.run.WorkDir() / "epub" / "text" / "part0004.html",
                      u"No space left on device"))
        << codepage::ToUtf8(message);
    EXPECT_TRUE(r.CollectionIntact(log));
}

TEST_F(FullDiskTmpfs, WhileThePackageDocumentIsWritten) {
    RunInFolder& r = *run;
    disk->FillLeaving(1);  // room for mimetype, none for content.opf
    const std::u16string message = r.Build();
    EXPECT_TRUE(
        Names(message, r.run.WorkDir() / "epub" / "content.opf", u"No space left on device"))
        << codepage::ToUtf8(message);
    EXPECT_EQ(r.buildView.statuses.back(), u"制作失败");
    EXPECT_TRUE(r.OldBookKept());
}

class Faults : public ::testing::Test {
protected:
    ProgramFolder folder;
    RunInFolder r{folder.path()};
};

TEST_F(Faults, FileSizeLimitWhileAPageIsWritten) {
    const std::string log = ReadBytes(r.run.WorkDir() / "lyric.txt");
    std::u16string message;
    {
        // Room for the song's log record, not for its page.
        FileSizeLimit limit(log.size() + 7000);
        message = r.Add(u"第四首", std::u16string(3000, u'歌'));
    }
    EXPECT_TRUE(
        Names(message, r.run.WorkDir() / "epub" / "text" / "part0004.html", u"File too large"))
        << codepage::ToUtf8(message);
    EXPECT_TRUE(r.CollectionIntact(log));
}

TEST_F(Faults, FileSizeLimitWhileThePackageDocumentIsWritten) {
    std::u16string message;
    {
        FileSizeLimit limit(1000);
        message = r.Build();
    }
    EXPECT_TRUE(Names(message, r.run.WorkDir() / "epub" / "content.opf", u"File too large"))
        << codepage::ToUtf8(message);
    EXPECT_EQ(r.buildView.statuses.back(), u"制作失败");
    EXPECT_TRUE(r.OldBookKept());
}

// The real 7za, killed once its archive has begun to grow.
TEST_F(Faults, ArchiverKilledWhileItWrites) {
    for (int n = 4; n <= 300; ++n) {
        r.run.AddLyric(u"歌", std::u16string(2000, u'词'));
    }
    fs::remove(folder / "7za");
    WriteBytes(folder / "7za",
               "#!/bin/sh\n/usr/bin/7za \"$@\" & pid=$!\n"
               "while [ ! -s \"$4\" ] && kill -0 $pid 2>/dev/null; do :; done\n"
               "kill -9 $pid; kill -9 $$\n");
    ::chmod((folder / "7za").c_str(), 0755);
    const std::u16string message = r.Build();
    EXPECT_NE(message.find(u"被终止（信号 9）"), std::u16string::npos) << codepage::ToUtf8(message);
    EXPECT_TRUE(r.OldBookKept());
    EXPECT_EQ(r.run.SongCount(), 300);
}

// Root may write anywhere: these run as an ordinary user.
class Permissions : public Faults {
protected:
    void SetUp() override {
        for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
            // chmod follows links: the one to the system's 7za stays untouched.
            if (!entry.is_symlink()) {
                ::chmod(entry.path().c_str(), entry.is_directory() ? 0777 : 0666);
            }
        }
        ::chmod((folder / "template").c_str(), 0755);
    }
};

TEST_F(Permissions, FinishedNotWritable) {
    ::chmod((folder / "finished").c_str(), 0555);
    EXPECT_TRUE(RunUnprivileged([&] {
        const std::u16string message = r.Build();
        return message.find(u"Permission denied") != std::u16string::npos &&
               message.find(u"退出状态") != std::u16string::npos && r.OldBookKept() &&
               r.buildView.statuses.back() == u"制作失败";
    }));
}

TEST_F(Permissions, TextTemplatesUnreadable) {
    ::chmod((folder / "template" / "text" / "part0000.html").c_str(), 0);
    ::chmod((folder / "template" / "content.opf").c_str(), 0);
    EXPECT_TRUE(RunUnprivileged([&] {
        const bool added = r.Add(u"第四首", u"x").empty();
        const bool built = r.Build().empty();
        // One message for the page, one for the package document; both went on.
        return added && built && r.view.messages.shown.size() == 1 &&
               r.buildView.messages.shown.size() == 1 && r.buildView.statuses.back() == u"制作完成";
    }));
}

TEST_F(Permissions, CoverUnreadable) {
    ::chmod((folder / "template" / "cover.jpeg").c_str(), 0);
    EXPECT_TRUE(RunUnprivileged([&] {
        const std::u16string message = r.Build();
        return Names(message, folder / "template" / "cover.jpeg", u"Permission denied") &&
               r.OldBookKept() && r.buildView.statuses.back() == u"制作失败";
    }));
}

}  // namespace
}  // namespace velmora
