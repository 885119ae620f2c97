#include "workspace/workspace.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/folder_lock.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "text/code_page.h"

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
    EXPECT_EQ(run.Songs().SongCount(), 0);
    // Another program sees the run as going.
    EXPECT_FALSE(FolderLock(run.WorkDir()).held());
}

// A start that fails names its cause and leaves no half-made work directory.
TEST_F(StartTest, FailedStartsLeaveNothing) {
    const fs::path workDir = app / "temp" / "1704067200";
    {
        InjectedFaults faults({{Call::Mkdir, "META-INF", ENOSPC}});
        EXPECT_EQ(FailureOf([&] { run.ReadyToMake(); }),
                  Described(Problem::CannotCreateFolder, workDir / "epub/META-INF", ENOSPC));
        EXPECT_TRUE(fs::is_empty(app / "temp"));
    }
    // A real folder the user may not write in.
    ::chmod((app / "temp").c_str(), 0555);
    EXPECT_TRUE(RunUnprivileged([&] {
        return FailureOf([&] { run.ReadyToMake(); }) ==
               Described(Problem::CannotCreateFolder, workDir, EACCES);
    }));
}

// A run that ended mid-build left its archiver's files and pages set aside: the next start
// clears them, and leaves a run still going (locked) and every other file alone.
TEST_F(StartTest, ClearsWhatEndedRunsLeftMidBuild) {
    const auto leave = [&](const char* name) {
        const fs::path folder = app / "temp" / name;
        fs::create_directories(folder / "pack");
        fs::create_directories(folder / "epub" / "text");
        for (const char* file : {"pack/book.epub", "pack/book.epub.tmp", "epub/text/part0001.html",
                                 "epub/text/.part0002.html.removed",
                                 "epub/text/.part0003.html.7-1.part", "lyric.txt"}) {
            WriteBytes(folder / file, "x");
        }
        return folder;
    };
    const fs::path ended = leave("100");
    const fs::path going = leave("200");
    const FolderLock goingOn(going);
    run.ReadyToMake();
    EXPECT_FALSE(fs::exists(ended / "pack"));
    EXPECT_FALSE(fs::exists(ended / "epub/text/.part0002.html.removed"));
    EXPECT_FALSE(fs::exists(ended / "epub/text/.part0003.html.7-1.part"));
    EXPECT_EQ(ReadBytes(ended / "epub/text/part0001.html"), "x");
    EXPECT_EQ(ReadBytes(ended / "lyric.txt"), "x");
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(going), {}), 9);
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
        Workspace installed(app.path(), clock);
        installed.ReadyToMake();
        EXPECT_EQ(installed.WorkDir().parent_path().parent_path(), runs);
        EXPECT_EQ(installed.Layout().FinishedFolder(), home / "Documents/Velmora/");
        EXPECT_TRUE(fs::is_directory(home / "Documents/Velmora"));
    }
    EXPECT_FALSE(fs::exists(app / "temp"));
}

// Where the save-path box sends the copy: relative paths into finished/, "~/" into the home
// folder, a folder (existing, or ending in "/") gets the book's name, a bare name ".epub".
TEST_F(StartTest, SavePlacesMeanSomething) {
    const fs::path finished = app / "finished";
    fs::create_directory(app / "out");
    ::setenv("HOME", "/home/someone", 1);
    const std::string out = (app / "out").string();
    const struct {
        std::string box;
        fs::path place;
    } table[] = {
        {"", ""},
        {"book.epub", finished / "book.epub"},
        {"我的歌词本", finished / "我的歌词本.epub"},
        {"sub/", finished / "sub" / "我的歌词本.epub"},
        {"~/x.epub", "/home/someone/x.epub"},
        {"~", "/home/someone/我的歌词本.epub"},
        {out, app / "out" / "我的歌词本.epub"},
        {out + "/", app / "out" / "我的歌词本.epub"},
        {out + "/b", app / "out" / "b.epub"},
        {out + "/c.zip", app / "out" / "c.zip"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(run.Layout().SavePlace(codepage::FromUtf8(row.box)), row.place) << row.box;
    }
    EXPECT_EQ(run.Layout().SavePlace(u"sub/", u"流行金曲"), finished / "sub" / "流行金曲.epub");
}

// A book's file is named by its title, as a file can be named.
TEST_F(StartTest, BooksAreNamedByTheirTitles) {
    const struct {
        std::u16string title;
        std::string name;
    } table[] = {
        {u"我的歌词本", "我的歌词本.epub"},
        {u"a/b/c", "a_b_c.epub"},
        {u".hidden", "_hidden.epub"},
        {std::u16string(u"a\0b", 3), "a_b.epub"},
        {u" 空 格 ", " 空 格 .epub"},
        // 67 characters of three bytes: cut to 66, within 200 bytes, never inside one.
        {std::u16string(67, u'歌'), codepage::ToUtf8(std::u16string(66, u'歌')) + ".epub"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(RunLayout::BookFileName(row.title), row.name) << codepage::ToUtf8(row.title);
    }
    EXPECT_EQ(run.Layout().BookPath(u"流行金曲"), app / "finished" / "流行金曲.epub");
}

}  // namespace
}  // namespace velmora
