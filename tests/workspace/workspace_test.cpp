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
using namespace testing;

class StartTest : public ::testing::Test {
protected:
    ProgramFolder app;
    FixedClock clock{kNewYear2024};
    FakeView view;
    Workspace run{app.path(), clock, view};
};

TEST_F(StartTest, LaysOutTheWorkDirectory) {
    fs::remove(app / "template" / "META-INF" / "container.xml");
    run.ReadyToMake();
    EXPECT_EQ(run.WorkDir(), app / "temp" / "1704067200" / "");
    EXPECT_EQ(ReadBytes(run.WorkDir() / "lyric.txt"), "");
    EXPECT_TRUE(fs::is_empty(run.WorkDir() / "epub" / "images"));
    EXPECT_TRUE(fs::is_empty(run.WorkDir() / "epub" / "META-INF"));
    EXPECT_EQ(view.messages.shown.size(), 1u);
    EXPECT_EQ(run.SongNames(), std::vector<std::u16string>(2));
    EXPECT_EQ(run.SongPages(), std::vector<std::u16string>(2));
}

TEST_F(StartTest, CopiesTheContainerAndTakesTheNextFreeName) {
    fs::create_directories(app / "temp" / "1704067200" / "earlier-run");
    fs::create_directory(app / "temp" / "1704067200_2");
    run.ReadyToMake();
    EXPECT_EQ(run.WorkDir(), app / "temp" / "1704067200_3" / "");
    EXPECT_TRUE(fs::exists(app / "temp" / "1704067200" / "earlier-run"));
    EXPECT_EQ(ReadBytes(run.WorkDir() / "epub" / "META-INF" / "container.xml"),
              ReadBytes(app / "template" / "META-INF" / "container.xml") + "\r\n");
}

TEST_F(StartTest, FailsNamingThePathWithoutAWritableTemp) {
    ::chmod((app / "temp").c_str(), 0555);
    EXPECT_TRUE(RunUnprivileged([&] {
        try {
            run.ReadyToMake();
        } catch (const Failure& failure) {
            return failure.message() == u"无法创建工作文件夹：" +
                                            PathText(app / "temp" / "1704067200") +
                                            u"（Permission denied）";
        }
        return false;
    }));
    fs::remove(app / "temp");
    EXPECT_THROW(run.ReadyToMake(), Failure);
}

TEST(SystemClock, CountsLocalWallClockSeconds) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    ::setenv("TZ", "Asia/Shanghai", 1);
    ::tzset();
    const std::int64_t before = std::time(nullptr);
    const std::int64_t local = SystemClock().LocalSeconds() - 8 * 3600;
    const std::int64_t after = std::time(nullptr);
    old ? ::setenv("TZ", saved.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
    EXPECT_TRUE(before <= local && local <= after);
}

}  // namespace
}  // namespace velmora
