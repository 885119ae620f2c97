#include "epub/book_maker.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/file_system.h"
#include "song_file.h"

#include "support/fakes.h"
#include "support/faults.h"
#include "text/code_page.h"
#include "workspace/journal.h"

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

const std::vector<BuildPhase> kPhases{
    BuildPhase::Started,   BuildPhase::PackageDocument, BuildPhase::NavigationDocument,
    BuildPhase::TitlePage, BuildPhase::Cover,           BuildPhase::Packing,
    BuildPhase::Done};

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
            const std::string name = run.Songs().PageFileName(n);
            pages["text/" + name] = ReadBytes(run.Layout().Page(name));
        }
        return pages;
    }
    // Big enough that 7za is still writing when it is watched.
    void AddLongSongs() {
        for (const auto& song : songs::GenerateSongs(200, 400)) {
            run.AddLyric(song.name, song.lyric);
        }
    }
    fs::path Pack() const { return run.Layout().PackFolder(); }
    // The old book is whole and alone, and nothing of the build is left.
    bool NothingChanged() const {
        return ReadBytes(maker.BookPath()) == "the old book" && FilesIn(app / "finished") == 1 &&
               !fs::exists(Pack()) && !maker.Running();
    }

    PhaseRecorder shown;
    BookMaker maker{run, clock, shown};
};

// A stale archive left in the scratch folder is not added to (7za would keep its entries).
TEST_F(BookMakerTest, GoodBuildPacksExactlyTheSongsAndLeavesNothingElse) {
    fs::create_directories(Pack());
    WriteBytes(run.WorkDir() / "junk.txt", "junk");
    RunCommand({"7za", "a", "-tzip", (Pack() / "book.epub").string(),
                (run.WorkDir() / "junk.txt").string()});
    std::optional<BuildResult> result;
    EXPECT_EQ(BuildToEnd(maker, {}, &result), "");
    EXPECT_EQ(shown.phases, kPhases);
    EXPECT_EQ(result->book, maker.BookPath());
    EXPECT_EQ(PagesIn(maker.BookPath()), PagesNow());
    EXPECT_EQ(ReadBytes(run.WorkDir() / "epub" / "titlepage.xhtml"),
              ReadBytes(app / "template" / "titlepage.xhtml") + "\r\n");
    EXPECT_EQ(FilesIn(app / "finished"), 1u);
    EXPECT_FALSE(fs::exists(Pack()));
}

// Each fault ends the build with a Failure naming its cause and phase Failed after the
// phase it struck in; the old book stays as it was, and nothing of the build is left.
struct BuildFault {
    const char* name;
    Fault fault;
    BuildPhase phase;
    std::function<std::string(BookMakerTest&)> failure;
    std::function<void(BookMakerTest&)> arrange = [](BookMakerTest&) {};
};

// A template that cannot be read, in the phase that reads it.
BuildFault Unreadable(const char* name, const char* file, BuildPhase phase, int error = EIO,
                      Call call = Call::Open) {
    return {name, {call, std::string("template/") + file, error, 10}, phase, [=](auto& f) {
                return Described(Problem::CannotReadTemplate, f.app / "template" / file, error);
            }};
}

class BuildFailures : public BookMakerTest, public ::testing::WithParamInterface<BuildFault> {};

TEST_P(BuildFailures, KeepTheOldBook) {
    const BuildFault& row = GetParam();
    const std::string savedPath = std::getenv("PATH");
    row.arrange(*this);
    std::string failure;
    try {
        InjectedFaults faults({row.fault});
        failure = BuildToEnd(maker);
    } catch (const std::bad_alloc&) {
        failure = "std::bad_alloc";
    }
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(failure, row.failure(*this));
    EXPECT_EQ(shown.phases.end()[-2], row.phase);
    EXPECT_EQ(shown.phases.back(), BuildPhase::Failed);
    EXPECT_TRUE(NothingChanged());
}

const Fault kNone{Call::Open, "none"};
std::string Archive(BookMakerTest& f) {
    return f.run.Layout().PackArchive();
}

INSTANTIATE_TEST_SUITE_P(
    Table, BuildFailures,
    ::testing::Values(
        Unreadable("Mimetype", "mimetype", BuildPhase::Started),
        Unreadable("PackageTemplate", "content.opf", BuildPhase::PackageDocument),
        Unreadable("NavigationTemplateReadsShort", "toc.ncx", BuildPhase::NavigationDocument, EIO,
                   Call::Read),
        Unreadable("TitlePage", "titlepage.xhtml", BuildPhase::TitlePage, EACCES),
        Unreadable("CoverReadsShort", "cover.jpeg", BuildPhase::Cover, EIO, Call::Read),
        BuildFault{"DiskFull",
                   {Call::Write, "content.opf", ENOSPC, 1000},
                   BuildPhase::PackageDocument,
                   [](auto& f) {
                       return Described(Problem::CannotWrite, f.run.Layout().Epub("content.opf"),
                                        ENOSPC);
                   }},
        BuildFault{"ArchiverMissing", kNone, BuildPhase::Packing,
                   [](auto& f) { return Described(Problem::ArchiverMissing, f.app / "7za"); },
                   [](auto& f) {
                       fs::remove(f.app / "7za");
                       ::setenv("PATH", (f.app / "finished").c_str(), 1);
                   }},
        BuildFault{"ArchiverDoesNotStart",
                   {Call::Spawn, "7za", ENOEXEC},
                   BuildPhase::Packing,
                   [](auto& f) { return Described(Problem::CannotStart, f.app / "7za", ENOEXEC); }},
        BuildFault{"ArchiverFails", kNone, BuildPhase::Packing,
                   [](auto& f) {
                       return Described(Problem::ArchiverFailed, Archive(f), 2,
                                        "System ERROR: errno=21 : Is a directory");
                   },
                   [](auto& f) { fs::create_directories(f.run.Layout().PackArchive()); }},
        // SIGKILL: 7za catches SIGTERM and exits with 255 once its handler is in place.
        BuildFault{"ArchiverKilled", Fault{Call::Wait, "7za", 0, 0, SIGKILL}, BuildPhase::Packing,
                   [](auto& f) { return Described(Problem::ArchiverKilled, Archive(f), SIGKILL); }},
        BuildFault{"MimetypeNotRenamed",
                   {Call::Write, "pack/book.epub", EIO},
                   BuildPhase::Packing,
                   [](auto& f) { return Described(Problem::CannotWrite, Archive(f), EIO); }},
        BuildFault{"ArchiverLost",

                   {Call::Wait, "7za", ECHILD},
                   BuildPhase::Packing,
                   [](auto& f) { return Described(Problem::ArchiverLost, Archive(f), ECHILD); }},
        // Not only Failures: whatever ends a build, in MakeBook or in Poll, cleans up.
        BuildFault{"OutOfMemory", Throws(Call::Open, "template/toc.ncx"),
                   BuildPhase::NavigationDocument, [](auto&) { return "std::bad_alloc"; }},
        BuildFault{"OutOfMemoryAtTheEnd", Throws(Call::Rename, "我的歌词本.epub"),
                   BuildPhase::Packing, [](auto&) { return "std::bad_alloc"; }},
        BuildFault{"BookNotMoved",
                   {Call::Rename, "我的歌词本.epub", EACCES},
                   BuildPhase::Packing,
                   [](auto& f) {
                       return Described(Problem::CannotSaveBook, f.maker.BookPath(), EACCES);
                   }}),
    [](const auto& p) { return std::string(p.param.name); });

// A real 7za, held with the archive open, killed while it writes; and one stopped when the
// window closes mid-build: killed first, then its files removed. Neither leaves anything
// behind.
TEST_F(BookMakerTest, ArchiverKilledOrStoppedWhileWriting) {
    AddLongSongs();
    const Fault held{Call::Spawn, "7za", 0};
    {
        InjectedFaults faults({held, Fault{Call::Wait, "7za", 0, 0, SIGKILL}});
        EXPECT_EQ(BuildToEnd(maker),
                  Described(Problem::ArchiverKilled, run.Layout().PackArchive(), SIGKILL));
        EXPECT_TRUE(NothingChanged());
    }
    std::size_t filesWhenReaped = 0;
    InjectedFaults faults({held}, [&](Call call, const std::string& program) {
        if (call == Call::Wait && program.ends_with("7za")) {
            filesWhenReaped = FilesIn(Pack());
        }
    });
    BookMaker(run, clock, shown).MakeBook({});
    ASSERT_EQ(faults.reaped.size(), 1u);
    EXPECT_TRUE(WIFSIGNALED(faults.reaped[0].second) &&
                WTERMSIG(faults.reaped[0].second) == SIGKILL);
    EXPECT_GE(filesWhenReaped, 2u);
    EXPECT_TRUE(NothingChanged());
}

// Songs added, edited, removed or moved while 7za packs go into the next book: this one
// holds the songs of the moment "开始制作" was pressed, page for page. A page removed
// meanwhile keeps its number from the songs added after it.
TEST_F(BookMakerTest, ChangesWhilePackingGoIntoTheNextBook) {
    AddLongSongs();
    const Files pressed = PagesNow();
    const int last = run.Songs().SongCount();
    const int lastPage = run.Songs().PageNumber(last);
    maker.MakeBook({});
    run.RemoveLyric(last);
    run.AddLyric(u"新歌", u"d");
    EXPECT_NE(run.Songs().PageNumber(last), lastPage);
    run.EditLyric(1, {u"改过", u"e"});
    run.RemoveLyric(2);
    run.MoveLyric(1, 3);
    while (!maker.Poll()) {
        ::usleep(2000);
    }
    EXPECT_EQ(PagesIn(maker.BookPath()), pressed);
    // The pages the build held on to are gone now.
    EXPECT_EQ(FilesIn(run.Layout().Epub("text")), std::size_t(run.Songs().SongCount()));
    ASSERT_EQ(BuildToEnd(maker), "");
    EXPECT_EQ(PagesIn(maker.BookPath()), PagesNow());
}

// Two windows started from one folder, building at the same moment.
TEST_F(BookMakerTest, TwoRunsBuildingAtOnceLeaveOneWholeBook) {
    Workspace other(app.path(), clock);
    other.ReadyToMake();
    other.AddLyric(u"别的", u"x");
    BookMaker otherMaker(other, clock, shown);
    maker.MakeBook({});
    EXPECT_FALSE(maker.MakeBook({}));
    otherMaker.MakeBook({});
    while (maker.Running() || otherMaker.Running()) {
        maker.Poll();
        otherMaker.Poll();
        ::usleep(2000);
    }
    EXPECT_EQ(FilesIn(app / "finished"), 1u);
    EXPECT_EQ(PagesIn(maker.BookPath()).size() % 2, 1u);  // all 3 songs, or the other's 1
}

// A cleaner took a page, the song log or the run's folder: the build puts back what went,
// and only that.
TEST_F(BookMakerTest, WhatHasGoneFromTheRunIsPutBack) {
    const Files pages = PagesNow();
    const std::string log = ReadBytes(run.Layout().SongLog());
    const fs::path first = run.Layout().Page("part0001.html");
    for (const fs::path& gone :
         {run.Layout().Page("part0002.html"), run.Layout().SongLog(), run.WorkDir()}) {
        const auto identity = FileIdentity(first);
        fs::remove_all(gone);
        EXPECT_EQ(BuildToEnd(maker), "");
        EXPECT_EQ(PagesIn(maker.BookPath()), pages);
        EXPECT_EQ(ReadBytes(run.Layout().SongLog()), log);
        if (gone != run.WorkDir()) {
            EXPECT_EQ(FileIdentity(first), identity) << gone;
        }
    }
}

// Only a page's own name keeps it from being written again: a page gone comes back though
// names like its own are there, and the pages that are there are left alone.
TEST_F(BookMakerTest, OnlyAPagesOwnNameCountsAsThere) {
    const Files pages = PagesNow();
    fs::remove(run.Layout().Page("part0002.html"));
    for (const char* decoy : {".part0002.html.removed", "part02.html", "part00002.html",
                              "part0002.html.part", "part-002.html", "Part0002.html"}) {
        WriteBytes(run.Layout().Page(decoy), "decoy");
    }
    const auto first = FileIdentity(run.Layout().Page("part0001.html"));
    const auto last = FileIdentity(run.Layout().Page("part0003.html"));
    EXPECT_EQ(BuildToEnd(maker), "");
    EXPECT_EQ(PagesIn(maker.BookPath()), pages);
    EXPECT_EQ(FileIdentity(run.Layout().Page("part0001.html")), first);
    EXPECT_EQ(FileIdentity(run.Layout().Page("part0003.html")), last);
}

// The book is copied where the save place says, and only there; a copy that fails names its
// target and leaves nothing behind, and the book is made all the same.
TEST_F(BookMakerTest, CopiesGoToTheSavePlace) {
    const fs::path out = app / "out";
    const struct {
        fs::path place;
        bool copied;
        int error = 0;
        Fault fault = {Call::Open, "none"};
    } table[] = {
        {out / "a.epub", true},
        {maker.BookPath(), false},
        {"", false},
        {out / "gone" / "c.epub", false, ENOENT},
        {out / "d.epub", false, ENOSPC, {Call::Write, "/out/", ENOSPC, 1000}},
        {out / "e.epub", false, EACCES, {Call::Open, "/out/", EACCES}},
    };
    for (const auto& row : table) {
        fs::remove_all(out);
        fs::create_directory(out);
        std::optional<BuildResult> result;
        {
            InjectedFaults faults({row.fault});
            EXPECT_EQ(BuildToEnd(maker, {{}, row.place, {}}, &result), "") << row.place;
        }
        EXPECT_EQ(result->copy, row.copied ? row.place : fs::path()) << row.place;
        EXPECT_EQ(result->copyFailure ? Described(*result->copyFailure) : "",
                  row.error ? Described(Problem::CannotSaveBook, row.place, row.error) : "");
        EXPECT_EQ(FilesIn(out), row.copied ? 1u : 0u) << row.place;
        if (row.copied) {
            EXPECT_EQ(ReadBytes(row.place), ReadBytes(maker.BookPath()));
        }
    }
    EXPECT_EQ(FilesIn(app / "finished"), 1u);
}

}  // namespace
}  // namespace velmora
