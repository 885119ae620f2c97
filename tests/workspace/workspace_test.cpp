#include "workspace/workspace.h"

#include <sys/stat.h>

#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

#include "support/bytes.h"
#include "support/fakes.h"
#include "support/program_folder.h"
#include "text/failure.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::FakeView;
using testing::FixedClock;
using testing::kNewYear2024;
using testing::ProgramFolder;
using testing::ReadBytes;
using testing::U16;

class WorkspaceTest : public ::testing::Test {
protected:
    ProgramFolder app;
    FixedClock clock{kNewYear2024};
    FakeView view;
    Workspace run{app.path(), clock, view};
};

TEST_F(WorkspaceTest, StartLaysOutTheWorkDirectory) {
    run.ReadyToMake();
    EXPECT_EQ(run.WorkDir(), app / "temp" / "1704067200" / "");
    EXPECT_EQ(ReadBytes(run.WorkDir() / "lyric.txt"), "");
    EXPECT_TRUE(fs::is_empty(run.WorkDir() / "epub" / "images"));
    EXPECT_TRUE(fs::is_empty(run.WorkDir() / "epub" / "text"));
    EXPECT_EQ(ReadBytes(run.WorkDir() / "epub" / "META-INF" / "container.xml"),
              ReadBytes(app / "template" / "META-INF" / "container.xml") + "\r\n");
    EXPECT_EQ(run.SongCount(), 0);
    for (const auto* table : {&run.SongNames(), &run.SongLyrics(), &run.SongPages()}) {
        EXPECT_EQ(*table, std::vector<std::u16string>(2));
    }
    EXPECT_TRUE(view.messages.shown.empty());
}

TEST_F(WorkspaceTest, StartsInOneSecondTakeTheNextFreeName) {
    fs::create_directory(app / "temp" / "1704067200_2");
    fs::create_directory(app / "temp" / "1704067200");
    fs::create_directory(app / "temp" / "1704067200" / "earlier-run");
    run.ReadyToMake();
    EXPECT_EQ(run.WorkDir(), app / "temp" / "1704067200_3" / "");
    EXPECT_TRUE(fs::exists(app / "temp" / "1704067200" / "earlier-run"));
    EXPECT_FALSE(fs::exists(app / "temp" / "1704067200" / "epub"));
}

TEST_F(WorkspaceTest, MissingContainerTemplateIsShownOnce) {
    fs::remove(app / "template" / "META-INF" / "container.xml");
    run.ReadyToMake();
    ASSERT_EQ(view.messages.shown.size(), 1u);
    EXPECT_EQ(view.messages.shown[0].first, u"文件无法读入！");
    EXPECT_FALSE(fs::exists(run.WorkDir() / "epub" / "META-INF" / "container.xml"));
    EXPECT_EQ(run.SongCount(), 0);
}

TEST_F(WorkspaceTest, MissingTempFailsNamingThePath) {
    fs::remove(app / "temp");
    try {
        run.ReadyToMake();
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_NE(failure.message().find(PathText(app / "temp" / "1704067200")),
                  std::u16string::npos);
    }
    EXPECT_FALSE(fs::exists(app / "temp"));
}

TEST_F(WorkspaceTest, ReadOnlyTempFails) {
    ::chmod((app / "temp").c_str(), 0555);
    EXPECT_TRUE(testing::RunUnprivileged([&] {
        try {
            run.ReadyToMake();
            return false;
        } catch (const Failure& failure) {
            return failure.message().find(u"Permission denied") != std::u16string::npos;
        }
    }));
    EXPECT_TRUE(fs::is_empty(app / "temp"));
}

TEST(SystemClock, CountsLocalWallClockSeconds) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    ::setenv("TZ", "Asia/Shanghai", 1);
    ::tzset();
    const std::int64_t before = std::time(nullptr);
    const std::int64_t local = SystemClock().LocalSeconds();
    const std::int64_t after = std::time(nullptr);
    old ? ::setenv("TZ", saved.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
    EXPECT_GE(local - 8 * 3600, before);
    EXPECT_LE(local - 8 * 3600, after);
}

}  // namespace
}  // namespace velmora
