#include "epub/book_maker.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include <gtest/gtest.h>

#include "song_file.h"
#include "support/bytes.h"
#include "support/command.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "support/folders.h"
#include "text/code_page.h"
#include "text/failure.h"
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

// The book's entries for songs 1 … n: the fixed files and what the manifest names.
std::vector<std::string> EntriesFor(int songs) {
    std::vector<std::string> entries{
        "META-INF/container.xml", "content.opf", "cover.jpeg", "mimetype",
        "titlepage.xhtml",        "toc.ncx"};
    for (int n = 1; n <= songs; ++n) {
        entries.push_back("text/part000" + std::to_string(n) + ".html");
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::vector<std::string> EntriesOf(const fs::path& book) {
    std::vector<std::string> entries;
    for (const auto& [path, bytes] : ExtractBook(book)) {
        entries.push_back(path);
    }
    return entries;
}

// Files, not folders: a folder in the way of the archive is the one the user made.
std::size_t FilesIn(const fs::path& folder) {
    std::error_code missing;
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(folder, missing)) {
        files += entry.is_directory() ? 0 : 1;
    }
    return files;
}

// A program folder with a run of three songs, an old book, and its build.
class BookMakerTest : public ::testing::Test {
public:
    void SetUp() override {
        run.ReadyToMake();
        for (const char16_t* name : {u"春天", u"月光", u"Tom & Jerry"}) {
            run.AddLyric(name, u"第一行\r\n第二行");
        }
        WriteBytes(maker.BookPath(), "the old book");
    }

    // Big enough that 7za is still writing when it is watched.
    void AddLongSongs() {
        for (const auto& song : songs::GenerateSongs(200, 400)) {
            run.AddLyric(song.name, song.lyric);
        }
    }
    fs::path Archive() const { return run.WorkDir() / "pack" / "book.epub"; }
    void WaitForArchive() const {
        while (!fs::exists(Archive()) || fs::file_size(Archive()) == 0) {
        }
    }
    // The old book is whole and alone, and nothing of the build is left.
    bool NothingChanged() const {
        return ReadBytes(maker.BookPath()) == "the old book" && FilesIn(app / "finished") == 1 &&
               FilesIn(run.WorkDir() / "pack") == 0 && !maker.Running();
    }

    ProgramFolder app;
    FixedClock clock{kNewYear2024};
    FakeView view;
    Workspace run{app.path(), clock, view};
    BookMaker maker{run, clock, view};
};

TEST_F(BookMakerTest, GoodBuildPacksExactlyTheSongsAndLeavesNothingElse) {
    EXPECT_EQ(BuildToEnd(maker), u"");
    EXPECT_EQ(view.statuses, kGoodStatuses);
    EXPECT_EQ(EntriesOf(maker.BookPath()), EntriesFor(3));
    EXPECT_EQ(ReadBytes(run.WorkDir() / "epub" / "titlepage.xhtml"),
              ReadBytes(app / "template" / "titlepage.xhtml") + "\r\n");
    EXPECT_EQ(FilesIn(app / "finished"), 1u);
    EXPECT_EQ(FilesIn(run.WorkDir() / "pack"), 0u);
}

// Each fault ends the build with a message naming its cause and "制作失败" after the phase
// it struck in; the old book stays as it was, and nothing of the build is left.
struct BuildFault {
    const char* name;
    std::vector<Fault> faults;
    std::u16string phase;
    std::u16string message;  // of the Failure, with <app> and <run> for the folders' paths
    std::function<void(BookMakerTest&)> arrange = [](BookMakerTest&) {};
};

class BuildFailures : public BookMakerTest, public ::testing::WithParamInterface<BuildFault> {};

TEST_P(BuildFailures, KeepTheOldBook) {
    const BuildFault& fault = GetParam();
    fault.arrange(*this);
    const char* savedPath = std::getenv("PATH");
    std::u16string message;
    {
        InjectedFaults faults(fault.faults);
        message = BuildToEnd(maker);
    }
    ::setenv("PATH", savedPath, 1);
    for (const auto& [key, folder] : {std::pair{u"<run>", run.WorkDir()}, {u"<app>", app.path()}}) {
        for (auto at = message.find(PathText(folder)); at != std::u16string::npos;
             at = message.find(PathText(folder))) {
            message.replace(at, PathText(folder).size(), key);
        }
    }
    EXPECT_EQ(message, fault.message);
    ASSERT_GE(view.statuses.size(), 2u);
    EXPECT_EQ(view.statuses.end()[-2], fault.phase);
    EXPECT_EQ(view.statuses.back(), u"制作失败");
    EXPECT_TRUE(NothingChanged());
}

INSTANTIATE_TEST_SUITE_P(
    Table, BuildFailures,
    ::testing::Values(
        BuildFault{"MimetypeUnreadable",
                   {{Call::Open, "template/mimetype", EACCES}},
                   u"正在制作，请稍等...",
                   u"文件无法读入！\n<app>/template/mimetype"},
        BuildFault{"PackageTemplateUnreadable",
                   {{Call::Open, "template/content.opf", EACCES}},
                   u"输出content.opf...",
                   u"文件无法读入！\n<app>/template/content.opf"},
        BuildFault{"NavigationTemplateReadsShort",
                   {{Call::Read, "template/toc.ncx", EIO, 10}},
                   u"输出toc.ncx...",
                   u"文件无法读入！\n<app>/template/toc.ncx"},
        BuildFault{"TitlePageUnreadable",
                   {{Call::Open, "template/titlepage.xhtml", ENOENT}},
                   u"输出titlepage.xhtml...",
                   u"文件无法读入！\n<app>/template/titlepage.xhtml"},
        BuildFault{"CoverReadsShort",
                   {{Call::Read, "template/cover.jpeg", EIO, 100}},
                   u"输出封面...",
                   u"文件无法读入！\n<app>/template/cover.jpeg"},
        BuildFault{"DiskFullInPackageDocument",
                   {{Call::Write, "content.opf", ENOSPC, 1000}},
                   u"输出content.opf...",
                   u"无法写入文件：<run>epub/content.opf（No space left on device）"},
        BuildFault{"ArchiverMissing",
                   {},
                   u"打包...",
                   u"找不到压缩程序 7za：<app>/7za（PATH 中也没有）",
                   [](auto& f) {
                       fs::remove(f.app / "7za");
                       ::setenv("PATH", (f.app / "finished").c_str(), 1);
                   }},
        BuildFault{"ArchiverDoesNotStart",
                   {{Call::Spawn, "7za", ENOEXEC}},
                   u"打包...",
                   u"无法启动程序：<app>/7za（Exec format error）"},
        BuildFault{"ArchiverFails",
                   {},
                   u"打包...",
                   u"压缩程序 7za 出错（退出状态 2）：System ERROR: errno=21 : Is a directory\n"
                   u"<run>pack/book.epub",
                   [](auto& f) { fs::create_directories(f.Archive()); }},
        BuildFault{"ArchiverKilled",
                   {Kills("7za", SIGTERM)},
                   u"打包...",
                   u"压缩程序 7za 被终止（信号 15）：<run>pack/book.epub"},
        BuildFault{"ArchiverLost",
                   {{Call::Wait, "7za", ECHILD}},
                   u"打包...",
                   u"无法等待压缩程序 7za：<run>pack/book.epub（No child processes）"},
        BuildFault{"BookNotMoved",
                   {{Call::Rename, "我的歌词本.epub", EACCES}},
                   u"打包...",
                   u"无法保存电子书：<app>/finished/我的歌词本.epub（Permission denied）"}),
    [](const auto& p) { return std::string(p.param.name); });

// Not only Failures: whatever ends a build, in MakeBook or in Poll, cleans up after it.
TEST_F(BookMakerTest, AnyErrorEndsTheBuildCleanly) {
    for (const Fault& fault :
         {Throws(Call::Open, "template/toc.ncx"), Throws(Call::Rename, "我的歌词本.epub")}) {
        view.statuses.clear();
        InjectedFaults faults({fault});
        EXPECT_THROW(BuildToEnd(maker), std::bad_alloc) << fault.path;
        EXPECT_EQ(view.statuses.back(), u"制作失败");
        EXPECT_TRUE(NothingChanged());
    }
}

// A real 7za, killed while it writes the archive.
TEST_F(BookMakerTest, ArchiverKilledWhileWriting) {
    AddLongSongs();
    InjectedFaults faults({Kills("7za", SIGKILL, Archive())});
    EXPECT_NE(BuildToEnd(maker).find(u"被终止（信号 9）"), std::u16string::npos);
    EXPECT_TRUE(NothingChanged());
}

// The window closed mid-build: the archiver is stopped, not waited for, and its files go.
TEST_F(BookMakerTest, ClosingMidBuildStopsTheArchiverAndRemovesItsFiles) {
    AddLongSongs();
    InjectedFaults faults({});
    {
        BookMaker closing(run, clock, view);
        closing.MakeBook();
        WaitForArchive();
    }
    ASSERT_EQ(faults.reaped.size(), 1u);
    EXPECT_TRUE(WIFSIGNALED(faults.reaped[0].second) &&
                WTERMSIG(faults.reaped[0].second) == SIGKILL);
    EXPECT_TRUE(NothingChanged());
}

TEST_F(BookMakerTest, StaleArchiveIsNotAddedTo) {
    fs::create_directories(run.WorkDir() / "pack");
    WriteBytes(run.WorkDir() / "junk.txt", "junk");
    RunCommand({"7za", "a", "-tzip", Archive().string(), (run.WorkDir() / "junk.txt").string()});
    ASSERT_EQ(BuildToEnd(maker), u"");
    EXPECT_EQ(EntriesOf(maker.BookPath()), EntriesFor(3));
}

// Songs added, edited, removed or moved while 7za packs go into the next book: this one
// holds the songs of the moment "开始制作" was pressed, page for page.
TEST_F(BookMakerTest, ChangesWhilePackingGoIntoTheNextBook) {
    AddLongSongs();
    const auto pagesNow = [&] {
        std::map<std::string, std::string> pages;
        for (int n = 1; n <= run.Songs().SongCount(); ++n) {
            const std::string name = codepage::ToUtf8(run.Songs().PageFileName(n));
            pages["text/" + name] = ReadBytes(run.Layout().Page(run.Songs().PageFileName(n)));
        }
        return pages;
    };
    const auto before = pagesNow();
    maker.MakeBook();
    run.AddLyric(u"新歌", u"d");
    run.EditLyric(1, u"改过", u"e");
    run.RemoveLyric(2);
    run.MoveLyric(1, 3);
    while (!maker.Poll()) {
        ::usleep(2000);
    }
    auto book = ExtractBook(maker.BookPath());
    std::erase_if(book, [](const auto& entry) { return entry.first.rfind("text/", 0) != 0; });
    EXPECT_EQ(book, before);
    // The pages the build held on to are gone now.
    EXPECT_EQ(std::distance(fs::directory_iterator(run.Layout().Epub("text")), {}),
              run.Songs().SongCount());
    ASSERT_EQ(BuildToEnd(maker), u"");
    book = ExtractBook(maker.BookPath());
    std::erase_if(book, [](const auto& entry) { return entry.first.rfind("text/", 0) != 0; });
    EXPECT_EQ(book, pagesNow());
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
    const auto entries = EntriesOf(maker.BookPath());
    EXPECT_TRUE(entries == EntriesFor(3) || entries == EntriesFor(1));
}

TEST_F(BookMakerTest, WhatHasGoneFromTheRunIsPutBack) {
    const std::string page = ReadBytes(run.WorkDir() / "epub" / "text" / "part0002.html");
    fs::remove_all(run.WorkDir());
    EXPECT_EQ(BuildToEnd(maker), u"");
    EXPECT_EQ(ExtractBook(maker.BookPath()).at("text/part0002.html"), page);
    EXPECT_EQ(EntriesOf(maker.BookPath()), EntriesFor(3));
    EXPECT_TRUE(view.messages.shown.empty());
}

// A real folder the user may not write in.
TEST_F(BookMakerTest, FinishedFolderNotWritable) {
    for (const auto& entry : fs::recursive_directory_iterator(app.path())) {
        if (!entry.is_symlink()) {
            ::chmod(entry.path().c_str(), entry.is_directory() ? 0777 : 0666);
        }
    }
    ::chmod((app / "finished").c_str(), 0555);
    EXPECT_TRUE(RunUnprivileged([&] {
        return BuildToEnd(maker).find(u"（Permission denied）") != std::u16string::npos &&
               NothingChanged();
    }));
}

}  // namespace
}  // namespace velmora
