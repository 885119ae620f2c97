#include "epub/book_maker.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "song_file.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "text/code_page.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;
using Files = std::map<std::string, std::string>;

// Files, not folders: a folder in the way of the archive is the one the user made.
std::size_t FilesIn(const fs::path& folder) {
    std::error_code missing;
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(folder, missing)) {
        files += entry.is_directory() ? 0 : 1;
    }
    return files;
}

// The pages of a book, after a check that its other entries are the fixed files.
Files PagesIn(const fs::path& book) {
    Files pages = ExtractBook(book);
    std::vector<std::string> fixed;
    std::erase_if(pages, [&](const auto& entry) {
        const bool page = entry.first.starts_with("text/");
        fixed.insert(fixed.end(), page ? 0 : 1, entry.first);
        return !page;
    });
    EXPECT_EQ(fixed,
              (std::vector<std::string>{"META-INF/container.xml", "content.opf", "cover.jpeg",
                                        "mimetype", "titlepage.xhtml", "toc.ncx"}));
    return pages;
}

const std::vector<std::u16string> kPhases{u"正在制作，请稍等...",
                                          u"输出content.opf...",
                                          u"输出toc.ncx...",
                                          u"输出titlepage.xhtml...",
                                          u"输出封面...",
                                          u"打包...",
                                          u"制作完成"};

// A program folder with a run of three songs, an old book, and its build.
class BookMakerTest : public RunTest {
public:
    void SetUp() override {
        run.ReadyToMake();
        for (const char16_t* name : {u"春天", u"月光", u"Tom & Jerry"}) {
            run.AddLyric(name, u"第一行\r\n第二行");
        }
        WriteBytes(maker.BookPath(), "the old book");
    }

    // The run's pages as a book holds them.
    Files PagesNow() const {
        Files pages;
        for (int n = 1; n <= run.Songs().SongCount(); ++n) {
            const std::u16string name = run.Songs().PageFileName(n);
            pages["text/" + codepage::ToUtf8(name)] = ReadBytes(run.Layout().Page(name));
        }
        return pages;
    }
    // Big enough that 7za is still writing when it is watched.
    void AddLongSongs() {
        for (const auto& song : songs::GenerateSongs(200, 400)) {
            run.AddLyric(song.name, song.lyric);
        }
    }
    fs::path Archive() const { return run.WorkDir() / "pack" / "book.epub"; }
    // The old book is whole and alone, and nothing of the build is left.
    bool NothingChanged() const {
        return ReadBytes(maker.BookPath()) == "the old book" && FilesIn(app / "finished") == 1 &&
               FilesIn(run.WorkDir() / "pack") == 0 && !maker.Running();
    }

    BookMaker maker{run, clock, view};
};

// A stale archive left in the scratch folder is not added to (7za would keep its entries).
TEST_F(BookMakerTest, GoodBuildPacksExactlyTheSongsAndLeavesNothingElse) {
    fs::create_directories(run.WorkDir() / "pack");
    WriteBytes(run.WorkDir() / "junk.txt", "junk");
    RunCommand({"7za", "a", "-tzip", Archive().string(), (run.WorkDir() / "junk.txt").string()});
    EXPECT_EQ(BuildToEnd(maker), u"");
    EXPECT_EQ(view.statuses, kPhases);
    EXPECT_EQ(PagesIn(maker.BookPath()), PagesNow());
    EXPECT_EQ(ReadBytes(run.WorkDir() / "epub" / "titlepage.xhtml"),
              ReadBytes(app / "template" / "titlepage.xhtml") + "\r\n");
    EXPECT_EQ(FilesIn(app / "finished"), 1u);
    EXPECT_EQ(FilesIn(run.WorkDir() / "pack"), 0u);
}

// Each fault ends the build with a message naming its cause and "制作失败" after the phase
// it struck in; the old book stays as it was, and nothing of the build is left.
struct BuildFault {
    const char* name;
    Fault fault;
    int phase;               // in kPhases
    std::u16string message;  // with <app> and <run> for the folders' paths
    std::function<void(BookMakerTest&)> arrange = [](BookMakerTest&) {};
};

// A template that cannot be read, in the phase that reads it.
BuildFault Unreadable(const char* name, const char* file, int phase, Call call = Call::Open) {
    return {name,
            {call, std::string("template/") + file, EIO, 10},
            phase,
            u"文件无法读入！\n<app>/template/" + codepage::FromUtf8(file)};
}

class BuildFailures : public BookMakerTest, public ::testing::WithParamInterface<BuildFault> {};

TEST_P(BuildFailures, KeepTheOldBook) {
    const BuildFault& row = GetParam();
    const std::string savedPath = std::getenv("PATH");
    row.arrange(*this);
    std::u16string message;
    try {
        InjectedFaults faults({row.fault});
        message = BuildToEnd(maker);
    } catch (const std::bad_alloc&) {
        message = u"std::bad_alloc";
    }
    ::setenv("PATH", savedPath.c_str(), 1);
    for (const auto& [key, folder] : {std::pair{u"<run>", run.WorkDir()}, {u"<app>", app.path()}}) {
        for (auto at = message.find(PathText(folder)); at != std::u16string::npos;
             at = message.find(PathText(folder))) {
            message.replace(at, PathText(folder).size(), key);
        }
    }
    EXPECT_EQ(message, row.message);
    EXPECT_EQ(view.statuses.end()[-2], kPhases[row.phase]);
    EXPECT_EQ(view.statuses.back(), u"制作失败");
    EXPECT_TRUE(NothingChanged());
}

const Fault kNone{Call::Open, "none"};
const std::u16string kPack = u"<run>pack/book.epub";

INSTANTIATE_TEST_SUITE_P(
    Table, BuildFailures,
    ::testing::Values(
        Unreadable("Mimetype", "mimetype", 0), Unreadable("PackageTemplate", "content.opf", 1),
        Unreadable("NavigationTemplateReadsShort", "toc.ncx", 2, Call::Read),
        Unreadable("TitlePage", "titlepage.xhtml", 3),
        Unreadable("CoverReadsShort", "cover.jpeg", 4, Call::Read),
        BuildFault{"DiskFull",
                   {Call::Write, "content.opf", ENOSPC, 1000},
                   1,
                   u"无法写入文件：<run>epub/content.opf（No space left on device）"},
        BuildFault{"ArchiverMissing", kNone, 5, u"找不到压缩程序 7za：<app>/7za（PATH 中也没有）",
                   [](auto& f) {
                       fs::remove(f.app / "7za");
                       ::setenv("PATH", (f.app / "finished").c_str(), 1);
                   }},
        BuildFault{"ArchiverDoesNotStart",
                   {Call::Spawn, "7za", ENOEXEC},
                   5,
                   u"无法启动程序：<app>/7za（Exec format error）"},
        BuildFault{
            "ArchiverFails", kNone, 5,
            u"压缩程序 7za 出错（退出状态 2）：System ERROR: errno=21 : Is a directory\n" + kPack,
            [](auto& f) { fs::create_directories(f.Archive()); }},
        BuildFault{"ArchiverKilled", Fault{Call::Wait, "7za", 0, 0, SIGTERM}, 5,
                   u"压缩程序 7za 被终止（信号 15）：" + kPack},
        BuildFault{"ArchiverLost",
                   {Call::Wait, "7za", ECHILD},
                   5,
                   u"无法等待压缩程序 7za：" + kPack + u"（No child processes）"},
        // Not only Failures: whatever ends a build, in MakeBook or in Poll, cleans up.
        BuildFault{"OutOfMemory", Throws(Call::Open, "template/toc.ncx"), 2, u"std::bad_alloc"},
        BuildFault{"OutOfMemoryAtTheEnd", Throws(Call::Rename, "我的歌词本.epub"), 5,
                   u"std::bad_alloc"},
        BuildFault{"BookNotMoved",
                   {Call::Rename, "我的歌词本.epub", EACCES},
                   5,
                   u"无法保存电子书：<app>/finished/我的歌词本.epub（Permission denied）"}),
    [](const auto& p) { return std::string(p.param.name); });

// A real 7za, killed while it writes the archive; and one stopped when the window closes
// mid-build: killed, not waited for. Neither leaves anything behind.
TEST_F(BookMakerTest, ArchiverKilledOrStoppedWhileWriting) {
    AddLongSongs();
    {
        InjectedFaults faults({Fault{Call::Wait, "7za", 0, 0, SIGKILL, Archive()}});
        EXPECT_NE(BuildToEnd(maker).find(u"被终止（信号 9）"), std::u16string::npos);
        EXPECT_TRUE(NothingChanged());
    }
    InjectedFaults faults({});
    BookMaker(run, clock, view).MakeBook();
    ASSERT_EQ(faults.reaped.size(), 1u);
    EXPECT_TRUE(WIFSIGNALED(faults.reaped[0].second) &&
                WTERMSIG(faults.reaped[0].second) == SIGKILL);
    EXPECT_TRUE(NothingChanged());
}

// Songs added, edited, removed or moved while 7za packs go into the next book: this one
// holds the songs of the moment "开始制作" was pressed, page for page.
TEST_F(BookMakerTest, ChangesWhilePackingGoIntoTheNextBook) {
    AddLongSongs();
    const Files pressed = PagesNow();
    maker.MakeBook();
    run.AddLyric(u"新歌", u"d");
    run.EditLyric(1, u"改过", u"e");
    run.RemoveLyric(2);
    run.MoveLyric(1, 3);
    while (!maker.Poll()) {
        ::usleep(2000);
    }
    EXPECT_EQ(PagesIn(maker.BookPath()), pressed);
    // The pages the build held on to are gone now.
    EXPECT_EQ(FilesIn(run.Layout().Epub("text")), std::size_t(run.Songs().SongCount()));
    ASSERT_EQ(BuildToEnd(maker), u"");
    EXPECT_EQ(PagesIn(maker.BookPath()), PagesNow());
}

// Two windows started from one folder, building at the same moment.
TEST_F(BookMakerTest, TwoRunsBuildingAtOnceLeaveOneWholeBook) {
    Workspace other(app.path(), clock, view);
    other.ReadyToMake();
    other.AddLyric(u"别的", u"x");
    BookMaker otherMaker(other, clock, view);
    maker.MakeBook();
    otherMaker.MakeBook();
    while (!(maker.Poll() & otherMaker.Poll())) {
        ::usleep(2000);
    }
    EXPECT_EQ(FilesIn(app / "finished"), 1u);
    EXPECT_EQ(PagesIn(maker.BookPath()).size() % 2, 1u);  // all 3 songs, or the other's 1
}

TEST_F(BookMakerTest, WhatHasGoneFromTheRunIsPutBack) {
    const Files pages = PagesNow();
    fs::remove_all(run.WorkDir());
    EXPECT_EQ(BuildToEnd(maker), u"");
    EXPECT_EQ(PagesIn(maker.BookPath()), pages);
    EXPECT_TRUE(view.messages.empty());
}

// The book is copied where the save-path box asks, and only there; a copy that fails names
// its target and leaves nothing behind.
TEST_F(BookMakerTest, CopiesGoWhereTheSaveBoxAsks) {
    ASSERT_EQ(BuildToEnd(maker), u"");
    const fs::path out = app / "out";
    fs::create_directory(out);
    const std::u16string folder = PathText(out);
    const struct {
        std::u16string box;
        const char* copy;  // in out/, "" for none
        std::u16string failure = u"";
        Fault fault = {Call::Open, "none"};
    } table[] = {
        {folder + u"/a.epub", "a.epub"},
        {folder + u"/b", "b.epub"},
        {folder + u"/", "我的歌词本.epub"},
        {PathText(app / "finished") + u"/", ""},
        {u"我的歌词本", ""},
        {folder + u"/gone/c.epub", "",
         u"无法保存电子书：" + folder + u"/gone/c.epub（No such file or directory）"},
        {folder + u"/d.epub",
         "",
         u"无法保存电子书：" + folder + u"/d.epub（No space left on device）",
         {Call::Write, "/out/", ENOSPC, 1000}},
        {folder + u"/e.epub",
         "",
         u"无法保存电子书：" + folder + u"/e.epub（Permission denied）",
         {Call::Open, "/out/", EACCES}},  // a folder the user may not write in
    };
    for (const auto& row : table) {
        fs::remove_all(out);
        fs::create_directory(out);
        InjectedFaults faults({row.fault});
        EXPECT_EQ(FailureOf([&] { maker.CopyBook(row.box); }), row.failure);
        EXPECT_EQ(FilesIn(out), *row.copy ? 1u : 0u) << row.copy;
        if (*row.copy) {
            EXPECT_EQ(ReadBytes(out / row.copy), ReadBytes(maker.BookPath()));
        }
    }
    EXPECT_EQ(FilesIn(app / "finished"), 1u);
}

}  // namespace
}  // namespace velmora
