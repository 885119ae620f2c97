#include "epub/book_maker.h"

#include <csignal>
#include <cstdlib>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "song_file.h"
#include "support/environment.h"
#include "support/fakes.h"
#include "support/faults.h"

namespace velmora {
namespace {

// The archiver as each system has it: its file, what it says writing onto a folder, how
// a kill shows (Windows has no signals: an exit code), and how it ends when the program
// stops it.
#ifdef _WIN32
constexpr const char* kArchiverFile = "7za.exe";
constexpr const char* kCannotWriteOntoFolder = "System ERROR: Access denied.";
constexpr Problem kKilledArchiver = Problem::ArchiverFailed;
constexpr int kStopped = 1;
#else
constexpr const char* kArchiverFile = "7za";
constexpr const char* kCannotWriteOntoFolder = "System ERROR: errno=21 : Is a directory";
constexpr Problem kKilledArchiver = Problem::ArchiverKilled;
constexpr int kStopped = SIGKILL;
#endif

using namespace testing;
using Files = std::map<std::string, std::string>;

// Files, not folders: a folder in the way of the archive is the one the user made.
std::size_t FilesIn(const fs::path& folder) {
    std::error_code missing;
    return std::count_if(fs::directory_iterator(folder, missing), {},
                         [](const auto& entry) { return !entry.is_directory(); });
}

// The entries of a book but its fixed files, after a check that it has them.
Files PagesIn(const fs::path& book) {
    Files pages = ExtractBook(book);
    for (const char* fixed : {"META-INF/container.xml", "content.opf", "cover.jpeg", "mimetype",
                              "titlepage.xhtml", "toc.ncx"}) {
        EXPECT_EQ(pages.erase(fixed), 1u) << fixed;
    }
    return pages;
}

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
    // Big enough that 7za is still writing when the run changes.
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
    fs::copy_file(fs::path(VELMORA_TEST_DATA) / "books" / "foreign.epub", Pack() / "book.epub");
    std::optional<BuildResult> result;
    EXPECT_EQ(BuildToEnd(maker, {}, &result), "");
    using enum BuildPhase;
    EXPECT_EQ(shown.phases, (std::vector{Started, PackageDocument, NavigationDocument, TitlePage,
                                         Cover, Packing, Done}));
    EXPECT_EQ(result->book, maker.BookPath());
    EXPECT_EQ(PagesIn(maker.BookPath()), PagesNow());
    EXPECT_EQ(ReadBytes(run.WorkDir() / "epub" / "titlepage.xhtml"),
              ReadBytes(app / "template" / "titlepage.xhtml") + "\r\n");
    EXPECT_FALSE(fs::exists(Pack()));
}

// Each fault ends the build with a Failure naming its cause (or with the exception it threw)
// and phase Failed after the phase it struck in; the old book stays, nothing else is left.
struct BuildFault {
    const char* name;
    std::vector<Fault> faults;
    BuildPhase phase;
    Problem problem = {};
    std::string path = {};  // in the program folder
    int number = 0;
    std::string detail = {};
    void (*arrange)(BookMakerTest&) = [](BookMakerTest&) {};
};

// A template that cannot be read, in the phase that reads it.
BuildFault Template(const char* name, std::string file, BuildPhase phase, int error = EIO,
                    Call call = Call::Open) {
    file = "template/" + file;
    return {name, {{call, file, error, 10}}, phase, Problem::CannotReadTemplate, file, error};
}

class BuildFailures : public BookMakerTest, public ::testing::WithParamInterface<BuildFault> {};

TEST_P(BuildFailures, KeepTheOldBook) {
    const BuildFault& row = GetParam();
    const std::string savedPath = std::getenv("PATH");
    row.arrange(*this);
    const std::string failure = [&] {
        InjectedFaults faults(row.faults);
        return BuildToEnd(maker);
    }();
    SetEnvironment("PATH", savedPath);
    EXPECT_EQ(failure,
              !row.faults.empty() && row.faults[0].throws
                  ? "std::bad_alloc"
                  : Described(row.problem, app / PathFromText(row.path), row.number, row.detail));
    EXPECT_EQ(shown.phases.end()[-2], row.phase);
    EXPECT_EQ(shown.phases.back(), BuildPhase::Failed);
    EXPECT_TRUE(NothingChanged());
}

std::vector<BuildFault> BuildFaults() {
    using enum Problem;
    using enum BuildPhase;
    using Row = BuildFault;
    const std::string archive = "temp/1704067200/pack/book.epub";
    return {
        Template("Mimetype", "mimetype", Started),
        Template("PackageTemplate", "content.opf", PackageDocument),
        Template("NavigationTemplateReadsShort", "toc.ncx", NavigationDocument, EIO, Call::Read),
        Template("TitlePage", "titlepage.xhtml", TitlePage, EACCES),
        Template("CoverReadsShort", "cover.jpeg", Cover, EIO, Call::Read),
        Row("DiskFull", {{Call::Write, "content.opf", ENOSPC, 1000}}, PackageDocument, CannotWrite,
            "temp/1704067200/epub/content.opf", ENOSPC),
        Row("ArchiverMissing", {}, Packing, ArchiverMissing, "7za", 0, {},
            [](BookMakerTest& f) {
                fs::remove(f.app / kArchiverFile);
                SetEnvironment("PATH", (f.app / "finished").string());
            }),
        Row("ArchiverDoesNotStart", {{Call::Spawn, "7za", ENOEXEC}}, Packing, CannotStart,
            kArchiverFile, ENOEXEC),
        Row("ArchiverFails", {}, Packing, ArchiverFailed, archive, 2, kCannotWriteOntoFolder,
            [](BookMakerTest& f) { fs::create_directories(f.run.Layout().PackArchive()); }),
        // Held writing its archive (its list of files ends with a pipe), then killed. SIGKILL:
        // 7za catches SIGTERM and exits with 255 once its handler is in place. Windows has no
        // signals: there the archiver ends with the exit code it is terminated with.
        Row("ArchiverKilled", {{Call::Spawn, "7za", 0}, {Call::Wait, "7za", 0, 0, kKill}}, Packing,
            kKilledArchiver, archive, kKill),
        Row("MimetypeNotRenamed", {{Call::Write, "pack/book.epub", EIO}}, Packing, CannotWrite,
            archive, EIO),
        Row("ArchiverLost", {{Call::Wait, "7za", ECHILD}}, Packing, ArchiverLost, archive, ECHILD),
        // Not only Failures: whatever ends a build, in MakeBook or in Poll, cleans up.
        Row("OutOfMemory", {Throws(Call::Open, "template/toc.ncx")}, NavigationDocument),
        Row("OutOfMemoryAtTheEnd", {Throws(Call::Rename, "我的歌词本.epub")}, Packing),
        Row("BookNotMoved", {{Call::Rename, "我的歌词本.epub", EACCES}}, Packing, CannotSaveBook,
            "finished/我的歌词本.epub", EACCES),
    };
}
INSTANTIATE_TEST_SUITE_P(Table, BuildFailures, ::testing::ValuesIn(BuildFaults()),
                         [](const auto& p) { return std::string(p.param.name); });

// A real 7za held writing, stopped as the window closes mid-build: killed, not waited for.
TEST_F(BookMakerTest, ArchiverStoppedWhileWriting) {
    std::size_t filesWhenReaped = 0;
    InjectedFaults faults({{Call::Spawn, "7za", 0}}, [&](Call call, const std::string& program) {
        if (call == Call::Wait && program.find("7za") != std::string::npos) {
            filesWhenReaped = FilesIn(Pack());
        }
    });
    BookMaker(run, clock, shown).MakeBook({});
    ASSERT_EQ(faults.reaped.size(), 1u);
    EXPECT_EQ(faults.reaped[0].second, kStopped);  // on Linux a kill's status, no core
    EXPECT_GE(filesWhenReaped, 2u);
    EXPECT_TRUE(NothingChanged());
}

// Changes while 7za packs go into the next book: this one holds the songs of the moment
// "开始制作" was pressed; a page removed meanwhile keeps its number from later songs.
TEST_F(BookMakerTest, ChangesWhilePackingGoIntoTheNextBook) {
    AddLongSongs();
    const Files pressed = PagesNow();
    const int last = run.Songs().SongCount();
    const int lastPage = run.Songs().PageNumber(last);
    // The mark names the songs as the book holds them, each by its print.
    std::string built = "book\r\n";
    for (const std::uint64_t print : PrintOf(run.Songs())) {
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(print));
        built.append(hex).append("\r\n");
    }
    maker.MakeBook({});
    run.RemoveLyric(last);
    run.AddLyric(u"新歌", u"d");
    EXPECT_NE(run.Songs().PageNumber(last), lastPage);
    run.EditLyric(1, {u"改过", u"e"});
    run.RemoveLyric(2);
    run.MoveLyric(1, 3);
    while (!maker.Poll()) {
        Tick();
    }
    EXPECT_EQ(PagesIn(maker.BookPath()), pressed);
    EXPECT_EQ(ReadBytes(run.Layout().Marks()), built);
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
        Tick();
    }
    EXPECT_EQ(FilesIn(app / "finished"), 1u);
    EXPECT_EQ(PagesIn(maker.BookPath()).size() % 2, 1u);  // all 3 songs, or the other's 1
}

// A cleaner took a page, the song log or the run's folder: the build puts back what went, and
// only that. Only a page's own name counts as there: decoys named like page 2 do not.
TEST_F(BookMakerTest, WhatHasGoneFromTheRunIsPutBack) {
    const Files pages = PagesNow();
    const std::string log = ReadBytes(run.Layout().SongLog());
    for (const char* decoy : {".part0002.html.removed", "part02.html", "part00002.html",
                              "part0002.html.part", "part-002.html", "Part0002.html"}) {
        WriteBytes(run.Layout().Page(decoy), "decoy");
    }
    const auto kept = [&] {
        return std::pair(FileIdentity(run.Layout().Page("part0001.html")),
                         FileIdentity(run.Layout().Page("part0003.html")));
    };
    for (const fs::path& gone :
         {run.Layout().Page("part0002.html"), run.Layout().SongLog(), run.WorkDir()}) {
        const auto before = kept();
        TakeAway(gone);
        EXPECT_EQ(BuildToEnd(maker), "");
        EXPECT_EQ(PagesIn(maker.BookPath()), pages);
        EXPECT_EQ(ReadBytes(run.Layout().SongLog()), log);
        if (gone != run.WorkDir()) {
            EXPECT_EQ(kept(), before) << gone;
        }
    }
}

// The book is copied to the save place only; a failed copy names its target and leaves
// nothing, the book made all the same. A row: place, copied, a failed copy's error, fault.
TEST_F(BookMakerTest, CopiesGoToTheSavePlace) {
    const fs::path out = app / "out";
    const Fault none{Call::Open, "none"};
    const std::tuple<fs::path, bool, int, Fault> table[] = {
        {out / "a.epub", true, 0, none},
        {maker.BookPath(), false, 0, none},
        {"", false, 0, none},
        {out / "gone" / "c.epub", false, ENOENT, none},
        {out / "d.epub", false, ENOSPC, {Call::Write, "/out/", ENOSPC, 1000}},
        {out / "e.epub", false, EACCES, {Call::Open, "/out/", EACCES}},
    };
    for (const auto& [place, copied, error, fault] : table) {
        SCOPED_TRACE(place);
        fs::remove_all(out);
        fs::create_directory(out);
        std::optional<BuildResult> result;
        {
            InjectedFaults faults({fault});
            EXPECT_EQ(BuildToEnd(maker, {{}, place, {}}, &result), "");
        }
        EXPECT_EQ(result->copy, copied ? place : fs::path());
        EXPECT_EQ(result->copyFailure ? result->copyFailure->what() : "",
                  error ? Described(Problem::CannotSaveBook, place, error) : "");
        EXPECT_EQ(FilesIn(out), copied ? 1u : 0u);
        EXPECT_TRUE(!copied || ReadBytes(place) == ReadBytes(maker.BookPath()));
    }
    EXPECT_EQ(FilesIn(app / "finished"), 1u);
}

}  // namespace
}  // namespace velmora
