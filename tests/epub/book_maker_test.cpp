#include "epub/book_maker.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include "support/bytes.h"
#include "support/command.h"
#include "support/fakes.h"
#include "support/program_folder.h"
#include "text/code_page.h"
#include "workspace/workspace.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;

const std::vector<std::u16string> kGoodStatuses = {u"正在制作，请稍等...",
                                                   u"输出content.opf...",
                                                   u"输出toc.ncx...",
                                                   u"输出titlepage.xhtml...",
                                                   u"输出封面...",
                                                   u"打包...",
                                                   u"制作完成"};

// A program folder with a run of three songs, an old book, and its build.
class BookMakerTest : public ::testing::Test {
public:
    void SetUp() override {
        savedPath = std::getenv("PATH");
        fs::create_symlink("/usr/bin/7za", app / "7za");
        run.ReadyToMake();
        for (const char16_t* name : {u"春天", u"月光", u"Tom & Jerry"}) {
            run.AddLyric(name, u"第一行\r\n第二行");
        }
        WriteBytes(maker.BookPath(), "the old book");
    }
    void TearDown() override { ::setenv("PATH", savedPath.c_str(), 1); }

    void FakeArchiver(const std::string& script) {
        fs::remove(app / "7za");
        WriteBytes(app / "7za", "#!/bin/sh\n" + script + "\n");
        ::chmod((app / "7za").c_str(), 0755);
    }

    // Leaves root's power over the folder to nobody too (links, such as 7za's, untouched).
    void OpenToEveryone() {
        for (const auto& entry : fs::recursive_directory_iterator(app.path())) {
            if (!entry.is_symlink()) {
                ::chmod(entry.path().c_str(), entry.is_directory() ? 0777 : 0666);
            }
        }
    }

    std::string savedPath;
    ProgramFolder app;
    FixedClock clock{kNewYear2024};
    FakeView view;
    Workspace run{app.path(), clock, view};
    BookMaker maker{run, clock, view};
};

TEST_F(BookMakerTest, GoodBuildShowsEveryPhaseAndReplacesTheBook) {
    const fs::path tree = run.WorkDir() / "epub";
    EXPECT_EQ(BuildToEnd(maker), u"");
    EXPECT_EQ(view.statuses, kGoodStatuses);
    EXPECT_EQ(ReadBytes(tree / "mimetype"), "application/epub+zip");
    EXPECT_EQ(ReadBytes(tree / "titlepage.xhtml"),
              ReadBytes(app / "template" / "titlepage.xhtml") + "\r\n");
    EXPECT_EQ(ExtractBook(maker.BookPath()).size(), 9u);
    EXPECT_EQ(std::distance(fs::directory_iterator(app / "finished"), {}), 1);
}

// Each fault ends the build with a message naming its cause and "制作失败"; the old book
// stays as it was and no temporary archive is left.
struct Fault {
    const char* name;
    std::function<void(BookMakerTest&)> arrange;
    std::u16string lastPhase;
    std::u16string fragment;
    bool unprivileged = false;
    std::uint64_t sizeLimit = 0;
};

class BuildFailures : public BookMakerTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(BuildFailures, KeepTheOldBook) {
    const Fault& fault = GetParam();
    if (fault.unprivileged) {
        OpenToEveryone();
    }
    fault.arrange(*this);
    const auto build = [&] {
        std::optional<FileSizeLimit> limit;
        if (fault.sizeLimit > 0) {
            limit.emplace(fault.sizeLimit);
        }
        const std::u16string message = BuildToEnd(maker);
        const bool named = message.find(fault.fragment) != std::u16string::npos;
        const auto& statuses = view.statuses;
        const bool shown = statuses.size() >= 2 && statuses.back() == u"制作失败" &&
                           statuses[statuses.size() - 2] == fault.lastPhase;
        const bool kept = ReadBytes(maker.BookPath()) == "the old book" &&
                          std::distance(fs::directory_iterator(app / "finished"), {}) == 1;
        if (!(named && shown && kept)) {
            std::fprintf(stderr, "%s: %s\n", fault.name, codepage::ToUtf8(message).c_str());
        }
        return named && shown && kept && !maker.Running();
    };
    EXPECT_TRUE(fault.unprivileged ? RunUnprivileged(build) : build());
}

INSTANTIATE_TEST_SUITE_P(
    Table, BuildFailures,
    ::testing::Values(
        Fault{"CoverMissing", [](auto& f) { fs::remove(f.app / "template" / "cover.jpeg"); },
              u"输出封面...", u"cover.jpeg（No such file or directory）"},
        Fault{"ArchiverMissing",
              [](auto& f) {
                  fs::remove(f.app / "7za");
                  ::setenv("PATH", (f.app / "finished").c_str(), 1);
              },
              u"打包...", u"找不到压缩程序 7za"},
        Fault{"ArchiverFails",
              [](auto& f) {
                  f.FakeArchiver("echo 'System ERROR:' >&2; echo 'disk on fire' >&2; exit 2");
              },
              u"打包...", u"退出状态 2）：System ERROR: disk on fire"},
        // The real 7za, killed once its archive has begun to grow.
        Fault{"ArchiverKilledWhileWriting",
              [](auto& f) {
                  f.FakeArchiver(
                      "/usr/bin/7za \"$@\" & pid=$!\n"
                      "while [ ! -s \"$4\" ] && kill -0 $pid 2>/dev/null; do :; done\n"
                      "kill -9 $pid; kill -9 $$");
              },
              u"打包...", u"被终止（信号 9）"},
        Fault{"TreeRemoved", [](auto& f) { fs::remove_all(f.run.WorkDir() / "epub"); },
              u"正在制作，请稍等...", u"mimetype（No such file or directory）"},
        Fault{"DiskFullInPackageDocument", [](auto&) {}, u"输出content.opf...",
              u"content.opf（File too large）", false, 1000},
        Fault{"FinishedNotWritable", [](auto& f) { ::chmod((f.app / "finished").c_str(), 0555); },
              u"打包...", u"Permission denied", true},
        Fault{"CoverUnreadable",
              [](auto& f) { ::chmod((f.app / "template" / "cover.jpeg").c_str(), 0); },
              u"输出封面...", u"cover.jpeg（Permission denied）", true}),
    [](const auto& p) { return std::string(p.param.name); });

// Without mimetype nothing is put first; the build goes on all the same.
TEST_F(BookMakerTest, MissingTextTemplatesAreShownAndTheBuildGoesOn) {
    fs::remove(app / "template" / "titlepage.xhtml");
    fs::remove(app / "template" / "mimetype");
    EXPECT_EQ(BuildToEnd(maker), u"");
    EXPECT_EQ(view.statuses, kGoodStatuses);
    EXPECT_EQ(view.messages.shown.size(), 2u);
    EXPECT_EQ(ExtractBook(maker.BookPath()).size(), 7u);
}

TEST_F(BookMakerTest, SecondPressWhileArchivingIsRefused) {
    FakeArchiver("[ \"$1\" = a ] && sleep 1; exec /usr/bin/7za \"$@\"");
    maker.MakeBook();
    const auto statuses = view.statuses;
    maker.MakeBook();
    EXPECT_EQ(view.statuses, statuses);
    EXPECT_EQ(view.messages.shown.size(), 1u);
    while (!maker.Poll()) {
        ::usleep(2000);
    }
    EXPECT_EQ(view.statuses, kGoodStatuses);
}

TEST_F(BookMakerTest, RepeatedBuildGivesTheBookOfAFirstBuild) {
    ASSERT_EQ(BuildToEnd(maker), u"");
    run.AddLyric(u"第四首", u"d");
    ASSERT_EQ(BuildToEnd(maker), u"");

    ProgramFolder other;
    fs::create_symlink("/usr/bin/7za", other / "7za");
    Workspace fresh(other.path(), clock, view);
    fresh.ReadyToMake();
    for (const char16_t* name : {u"春天", u"月光", u"Tom & Jerry"}) {
        fresh.AddLyric(name, u"第一行\r\n第二行");
    }
    fresh.AddLyric(u"第四首", u"d");
    BookMaker first(fresh, clock, view);
    ASSERT_EQ(BuildToEnd(first), u"");
    EXPECT_EQ(ExtractBook(maker.BookPath()), ExtractBook(first.BookPath()));
}

}  // namespace
}  // namespace velmora
