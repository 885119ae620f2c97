#include "workspace/workspace.h"

#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <optional>

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/faults.h"
#include "support/files.h"
#include "text/failure.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;

class StartTest : public ::testing::Test {
protected:
    bool TempIsEmpty() const { return fs::is_empty(app / "temp"); }

    ProgramFolder app;
    FixedClock clock{kNewYear2024};
    FakeView view;
    Workspace run{app.path(), clock, view};
};

TEST_F(StartTest, LaysOutTheWorkDirectoryUnderTheNextFreeName) {
    fs::create_directories(app / "temp" / "1704067200" / "earlier-run");
    fs::create_directory(app / "temp" / "1704067200_2");
    run.ReadyToMake();
    EXPECT_EQ(run.WorkDir(), app / "temp" / "1704067200_3" / "");
    EXPECT_TRUE(fs::exists(app / "temp" / "1704067200" / "earlier-run"));
    EXPECT_EQ(ReadBytes(run.WorkDir() / "lyric.txt"), "");
    EXPECT_TRUE(fs::is_empty(run.WorkDir() / "epub" / "images"));
    EXPECT_TRUE(fs::is_empty(run.WorkDir() / "epub" / "text"));
    EXPECT_EQ(ReadBytes(run.WorkDir() / "epub" / "META-INF" / "container.xml"),
              ReadBytes(app / "template" / "META-INF" / "container.xml") + "\r\n");
    EXPECT_EQ(run.Songs().SongNames(), std::vector<std::u16string>(2));
    EXPECT_EQ(run.Songs().SongPages(), std::vector<std::u16string>(2));
}

// A start that fails names its cause and leaves no half-made work directory.
TEST_F(StartTest, FailedStartsLeaveNothing) {
    const fs::path container = app / "template" / "META-INF" / "container.xml";
    const fs::path workDir = app / "temp" / "1704067200";
    const struct {
        Fault fault;
        std::u16string message;
    } table[] = {
        {{Call::Open, "container.xml", EACCES}, u"文件无法读入！\n" + PathText(container)},
        {{Call::Mkdir, "META-INF", ENOSPC},
         u"无法创建工作文件夹：" + PathText(workDir / "epub" / "META-INF") +
             u"（No space left on device）"},
    };
    for (const auto& row : table) {
        InjectedFaults faults({row.fault});
        EXPECT_EQ(FailureOf([&] { run.ReadyToMake(); }), row.message);
        EXPECT_TRUE(TempIsEmpty());
    }
    // A real folder the user may not write in.
    ::chmod((app / "temp").c_str(), 0555);
    EXPECT_TRUE(RunUnprivileged([&] {
        return FailureOf([&] { run.ReadyToMake(); }) ==
               u"无法创建工作文件夹：" + PathText(workDir) + u"（Permission denied）";
    }));
}

// An environment variable set, or unset, while the object lives.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnvironment() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// A program folder without a temp/ it may write (an installed package): runs go under
// $XDG_STATE_HOME/velmora (~/.local/state by default), books into Velmora/ of the
// documents folder, both made on the first start.
TEST_F(StartTest, ProgramFolderWithoutTempUsesTheUsersFolders) {
    fs::remove(app / "temp");
    TempDir home;
    ScopedEnvironment homeIs("HOME", home.path().c_str());
    const std::string stateHome = (home / "state").string();
    for (const auto& [state, runs] :
         {std::pair<const char*, fs::path>{nullptr, home / ".local/state/velmora"},
          {"relative", home / ".local/state/velmora"},
          {stateHome.c_str(), home / "state/velmora"}}) {
        ScopedEnvironment stateIs("XDG_STATE_HOME", state);
        Workspace installed(app.path(), clock, view);
        installed.ReadyToMake();
        EXPECT_EQ(installed.WorkDir().parent_path().parent_path(), runs);
        EXPECT_EQ(installed.Layout().FinishedFolder(), home / "Documents/Velmora/");
        EXPECT_TRUE(fs::is_directory(home / "Documents/Velmora"));
    }
    EXPECT_FALSE(fs::exists(app / "temp"));
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
