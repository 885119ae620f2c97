#include "epub/book_maker.h"

#include <sys/stat.h>

#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include "support/build_fakes.h"
#include "support/bytes.h"
#include "support/fakes.h"
#include "support/program_folder.h"
#include "support/zip_reader.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "workspace/workspace.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;

const std::vector<std::u16string> kGoodStatuses = {u"正在制作，请稍等...",
                                                   u"输出content.opf...",
                                                   u"输出toc.ncx...",
                                                   u"输出titlepage.xhtml...",
                                                   u"输出封面...",
                                                   u"打包...",
                                                   u"制作完成"};

// A program folder with a run of two songs, and its build.
class BookMakerTest : public ::testing::Test {
public:
    void SetUp() override {
        const char* path = std::getenv("PATH");
        savedPath = path != nullptr ? path : "";
        fs::create_symlink("/usr/bin/7za", app / "7za");
        run.ReadyToMake();
        run.AddLyric(u"春天", u"a\r\nb");
        run.AddLyric(u"月光", u"c");
    }

    void TearDown() override { ::setenv("PATH", savedPath.c_str(), 1); }

    void FakeArchiver(const std::string& script) {
        fs::remove(app / "7za");
        WriteBytes(app / "7za", "#!/bin/sh\n" + script + "\n");
        ::chmod((app / "7za").c_str(), 0755);
    }

    std::u16string Build() { return BuildToEnd(maker); }

    fs::path Tree(const char* name) const { return run.WorkDir() / "epub" / name; }

    std::string savedPath;
    ProgramFolder app;
    FixedClock clock{kNewYear2024};
    FakeView view;
    FakeBuildView buildView;
    Workspace run{app.path(), clock, view};
    BookMaker maker{run, clock, buildView};
};

TEST_F(BookMakerTest, GoodBuildShowsEveryPhaseAndPutsTheBookInPlace) {
    EXPECT_EQ(Build(), u"");
    EXPECT_EQ(buildView.statuses, kGoodStatuses);
    EXPECT_TRUE(buildView.messages.shown.empty());
    EXPECT_EQ(ReadBytes(Tree("mimetype")), "application/epub+zip");
    EXPECT_EQ(ReadBytes(Tree("cover.jpeg")), ReadBytes(app / "template" / "cover.jpeg"));
    EXPECT_EQ(ReadBytes(Tree("titlepage.xhtml")),
              ReadBytes(app / "template" / "titlepage.xhtml") + "\r\n");
    EXPECT_EQ(ReadZip(ReadBytes(maker.BookPath())).size(), 11u);
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(app / "finished"), {}),
              std::vector<fs::path>{maker.BookPath()});
}

struct FailureCase {
    const char* name;
    std::function<void(BookMakerTest&)> arrange;
    std::u16string lastPhase;
    std::vector<std::u16string> fragments;  // in the failure's message
};

class BuildFailures : public BookMakerTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(BuildFailures, ShowTheCauseAndKeepTheOldBook) {
    WriteBytes(maker.BookPath(), "the old book");
    GetParam().arrange(*this);
    const std::u16string message = Build();
    for (const auto& fragment : GetParam().fragments) {
        EXPECT_NE(message.find(fragment), std::u16string::npos) << codepage::ToUtf8(message);
    }
    ASSERT_GE(buildView.statuses.size(), 2u);
    EXPECT_EQ(buildView.statuses.back(), u"制作失败");
    EXPECT_EQ(buildView.statuses[buildView.statuses.size() - 2], GetParam().lastPhase);
    EXPECT_EQ(ReadBytes(maker.BookPath()), "the old book");
    EXPECT_FALSE(fs::exists(app / "finished" / "我的歌词本.epub.part"));
    EXPECT_FALSE(maker.Running());
    EXPECT_EQ(run.SongCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BuildFailures,
    ::testing::Values(
        FailureCase{"CoverMissing",
                    [](BookMakerTest& f) { fs::remove(f.app / "template" / "cover.jpeg"); },
                    u"输出封面...",
                    {u"cover.jpeg", u"No such file or directory"}},
        FailureCase{"ArchiverMissing",
                    [](BookMakerTest& f) {
                        fs::remove(f.app / "7za");
                        ::setenv("PATH", (f.app / "finished").c_str(), 1);
                    },
                    u"打包...",
                    {u"找不到压缩程序 7za"}},
        FailureCase{"ArchiverFails",
                    [](BookMakerTest& f) {
                        f.FakeArchiver("echo 'System ERROR:' >&2; echo 'disk on fire' >&2; exit 2");
                    },
                    u"打包...",
                    {u"退出状态 2", u"System ERROR: disk on fire", u"我的歌词本.epub.part"}},
        FailureCase{"ArchiverKilled",
                    [](BookMakerTest& f) { f.FakeArchiver("kill -9 $$"); },
                    u"打包...",
                    {u"被终止（信号 9）"}},
        FailureCase{"TreeRemoved",
                    [](BookMakerTest& f) { fs::remove_all(f.run.WorkDir() / "epub"); },
                    u"正在制作，请稍等...",
                    {u"mimetype"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(BookMakerTest, MissingTextTemplatesAreShownAndTheBuildGoesOn) {
    fs::remove(app / "template" / "titlepage.xhtml");
    fs::remove(app / "template" / "mimetype");
    EXPECT_EQ(Build(), u"");
    EXPECT_EQ(buildView.statuses, kGoodStatuses);
    EXPECT_EQ(buildView.messages.shown.size(), 2u);
    EXPECT_FALSE(fs::exists(Tree("titlepage.xhtml")));
    EXPECT_FALSE(fs::exists(Tree("mimetype")));
}

TEST_F(BookMakerTest, SecondPressWhileArchivingIsRefused) {
    FakeArchiver("[ \"$1\" = a ] && sleep 1; exec /usr/bin/7za \"$@\"");
    maker.MakeBook();
    ASSERT_TRUE(maker.Running());
    const auto statuses = buildView.statuses;
    maker.MakeBook();
    EXPECT_EQ(buildView.statuses, statuses);
    ASSERT_EQ(buildView.messages.shown.size(), 1u);
    EXPECT_EQ(buildView.messages.shown[0].second, u"提示");
    WaitForBuild(maker);
    EXPECT_EQ(buildView.statuses, kGoodStatuses);
}

// What a reading system sees: every entry with its bytes, in order.
std::vector<std::pair<std::string, std::string>> Entries(const fs::path& book) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto& entry : ReadZip(ReadBytes(book))) {
        entries.emplace_back(entry.name, entry.data);
    }
    return entries;
}

TEST_F(BookMakerTest, RepeatedBuildGivesTheBookOfAFirstBuild) {
    ASSERT_EQ(Build(), u"");
    run.AddLyric(u"第三首", u"d");
    ASSERT_EQ(Build(), u"");

    ProgramFolder other;
    fs::create_symlink("/usr/bin/7za", other / "7za");
    Workspace fresh(other.path(), clock, view);
    fresh.ReadyToMake();
    fresh.AddLyric(u"春天", u"a\r\nb");
    fresh.AddLyric(u"月光", u"c");
    fresh.AddLyric(u"第三首", u"d");
    BookMaker first(fresh, clock, buildView);
    first.MakeBook();
    WaitForBuild(first);

    EXPECT_EQ(Entries(maker.BookPath()), Entries(first.BookPath()));
}

}  // namespace
}  // namespace velmora
