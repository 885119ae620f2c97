#include "workspace/workspace.h"

#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>

#include "platform/folder_lock.h"
#include "platform/user_folders.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "text/code_page.h"

namespace velmora {
namespace {

using namespace testing;

using StartTest = RunTest;

TEST_F(StartTest, LaysOutTheWorkDirectoryUnderTheNextFreeName) {
    fs::create_directories(app / "temp" / "1704067200" / "earlier-run");
    fs::create_directory(app / "temp" / "1704067200_2");
    run.ReadyToMake();
    EXPECT_EQ(run.WorkDir(), app / "temp" / "1704067200_3" / "");
    EXPECT_EQ(ReadBytes(run.WorkDir() / "lyric.txt"), "");
    EXPECT_TRUE(fs::is_empty(run.WorkDir() / "epub" / "images"));
    EXPECT_TRUE(fs::is_empty(run.WorkDir() / "epub" / "text"));
    EXPECT_EQ(ReadBytes(run.WorkDir() / "epub" / "META-INF" / "container.xml"),
              ReadBytes(app / "template" / "META-INF" / "container.xml") + "\r\n");
    // Another program sees the run as going.
    EXPECT_FALSE(FolderLock(run.WorkDir()).held());
}

TEST_F(StartTest, FailedStartsLeaveNothing) {
    const fs::path workDir = app / "temp" / "1704067200";
    InjectedFaults faults({{Call::Mkdir, "META-INF", ENOSPC}});
    EXPECT_EQ(FailureOf([&] { run.ReadyToMake(); }),
              Described(Problem::CannotCreateFolder, workDir / "epub/META-INF", ENOSPC));
    EXPECT_TRUE(fs::is_empty(app / "temp"));
#ifndef _WIN32  // POSIX rights, tried as another user in a forked child
    // A real folder the user may not write in; root may, so there the start is made as nobody.
    ::chmod((app / "temp").c_str(), 0555);
    const std::string refused = Described(Problem::CannotCreateFolder, workDir, EACCES);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool nobody = ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 &&
                                                 ::setgid(65534) == 0 && ::setuid(65534) == 0);
        ::_exit(nobody && FailureOf([&] { run.ReadyToMake(); }) == refused ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0);
#endif
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
    const fs::path ended = leave("100"), going = leave("200");
    const FolderLock goingOn(going);
    run.ReadyToMake();
    EXPECT_FALSE(fs::exists(ended / "pack"));
    EXPECT_FALSE(fs::exists(ended / "epub/text/.part0002.html.removed"));
    EXPECT_FALSE(fs::exists(ended / "epub/text/.part0003.html.7-1.part"));
    EXPECT_EQ(ReadBytes(ended / "epub/text/part0001.html"), "x");
    EXPECT_EQ(ReadBytes(ended / "lyric.txt"), "x");
    // Windows keeps a run's lock in a file of its own.
    const auto lockFile = static_cast<int>(fs::exists(going / ".lock"));
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(going), {}), 9 + lockFile);
}

#ifndef _WIN32  // the XDG folders; Windows has its known folders instead
// Without a temp/ it may write (an installed package): runs go under $XDG_STATE_HOME/velmora
// (~/.local/state by default), books into Documents/Velmora/, both made on the first start.
TEST_F(StartTest, ProgramFolderWithoutTempUsesTheUsersFolders) {
    fs::remove(app / "temp");
    TempDir home;
    ::setenv("HOME", home.path().c_str(), 1);
    for (const auto& [state, runs] :
         {std::pair<fs::path, fs::path>{"", home / ".local/state/velmora"},
          {home / "state", home / "state/velmora"}}) {
        state.empty() ? ::unsetenv("XDG_STATE_HOME") : ::setenv("XDG_STATE_HOME", state.c_str(), 1);
        Workspace installed(app.path(), clock);
        installed.ReadyToMake();
        EXPECT_EQ(installed.WorkDir().parent_path().parent_path(), runs);
        EXPECT_EQ(installed.Layout().FinishedFolder(), home / "Documents/Velmora/");
        EXPECT_TRUE(fs::is_directory(home / "Documents/Velmora"));
    }
    EXPECT_FALSE(fs::exists(app / "temp"));
}
#endif

// Where the save-path box sends the copy: relative paths into finished/, "~/" into the home
// folder, a folder (existing, or ending in "/") gets the book's name, a bare name ".epub".
TEST_F(StartTest, SavePlacesAndBookNamesMeanSomething) {
    const fs::path finished = app / "finished";
    fs::create_directory(app / "out");
    const fs::path home = HomeFolder();
    const std::string out = (app / "out").string();
    const std::pair<std::string, fs::path> table[] = {
        {"", ""},
        {"book.epub", finished / "book.epub"},
        {"我的歌词本", finished / u8"我的歌词本.epub"},
        {"sub/", finished / "sub" / u8"我的歌词本.epub"},
        {"~/x.epub", home / "x.epub"},
        {"~", home / u8"我的歌词本.epub"},
        {out, app / "out" / u8"我的歌词本.epub"},
        {out + "/", app / "out" / u8"我的歌词本.epub"},
        {out + "/b", app / "out" / "b.epub"},
        {out + "/c.zip", app / "out" / "c.zip"},
    };
    for (const auto& [box, place] : table) {
        EXPECT_EQ(run.Layout().SavePlace(codepage::FromUtf8(box)), place) << box;
    }
    EXPECT_EQ(run.Layout().SavePlace(u"sub/", u"流行金曲"), finished / "sub" / u8"流行金曲.epub");
    // A book's file is named by its title, as a file can be named.
    const std::pair<std::u16string, std::string> names[] = {
        {u"我的歌词本", "我的歌词本.epub"},
        {u"a/b/c", "a_b_c.epub"},
        {u".hidden", "_hidden.epub"},
        {std::u16string(u"a\0b", 3), "a_b.epub"},
        {u" 空 格 ", " 空 格 .epub"},
        // What shows nothing and turns the rest around goes: "evil\u202Ebupe.exe" no more.
        {u"歌\u202Etxt.exe\u200B\u2066\uFEFF\u200F\u202A", "歌txt.exe.epub"},
        {u"\u202E", "_.epub"},
        // 67 characters of three bytes: cut to 66, within 200 bytes, never inside one.
        {std::u16string(67, u'歌'), codepage::ToUtf8(std::u16string(66, u'歌')) + ".epub"},
#ifdef _WIN32
        // What Windows takes for its own in a name: its separators and wildcards, its devices.
        {u"a<b>:c|d?*\"e\\f\t", "a_b__c_d___e_f_.epub"},
        {u"con", "_con.epub"},
        {u"Lpt9", "_Lpt9.epub"},
        {u"con2", "con2.epub"},
#endif
    };
    for (const auto& [title, name] : names) {
        EXPECT_EQ(RunLayout::BookFileName(title), name) << codepage::ToUtf8(title);
    }
}

}  // namespace
}  // namespace velmora
