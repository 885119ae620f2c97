#include "workspace/workspace.h"

#include <sys/stat.h>

#include <cstdlib>

#include "support/fakes.h"
#include "support/faults.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;

using StartTest = RunTest;

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
    const fs::path workDir = app / "temp" / "1704067200";
    {
        InjectedFaults faults({{Call::Mkdir, "META-INF", ENOSPC}});
        EXPECT_EQ(FailureOf([&] { run.ReadyToMake(); }), u"无法创建工作文件夹：" +
                                                             PathText(workDir / "epub/META-INF") +
                                                             u"（No space left on device）");
        EXPECT_TRUE(fs::is_empty(app / "temp"));
    }
    // A real folder the user may not write in.
    ::chmod((app / "temp").c_str(), 0555);
    EXPECT_TRUE(RunUnprivileged([&] {
        return FailureOf([&] { run.ReadyToMake(); }) ==
               u"无法创建工作文件夹：" + PathText(workDir) + u"（Permission denied）";
    }));
}

// A program folder without a temp/ it may write (an installed package): runs go under
// $XDG_STATE_HOME/velmora (~/.local/state by default), books into Velmora/ of the
// documents folder, both made on the first start.
TEST_F(StartTest, ProgramFolderWithoutTempUsesTheUsersFolders) {
    fs::remove(app / "temp");
    TempDir home;
    ::setenv("HOME", home.path().c_str(), 1);
    const std::string stateHome = (home / "state").string();
    for (const auto& [state, runs] :
         {std::pair<const char*, fs::path>{nullptr, home / ".local/state/velmora"},
          {stateHome.c_str(), home / "state/velmora"}}) {
        state != nullptr ? ::setenv("XDG_STATE_HOME", state, 1) : ::unsetenv("XDG_STATE_HOME");
        Workspace installed(app.path(), clock, view);
        installed.ReadyToMake();
        EXPECT_EQ(installed.WorkDir().parent_path().parent_path(), runs);
        EXPECT_EQ(installed.Layout().FinishedFolder(), home / "Documents/Velmora/");
        EXPECT_TRUE(fs::is_directory(home / "Documents/Velmora"));
    }
    EXPECT_FALSE(fs::exists(app / "temp"));
}

}  // namespace
}  // namespace velmora
