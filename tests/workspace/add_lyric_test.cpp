#include <gtest/gtest.h>

#include "support/bytes.h"
#include "support/fakes.h"
#include "support/program_folder.h"
#include "text/failure.h"
#include "workspace/workspace.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::FakeView;
using testing::FixedClock;
using testing::Hex;
using testing::kNewYear2024;
using testing::ProgramFolder;
using testing::ReadBytes;

class AddLyricTest : public ::testing::Test {
protected:
    void SetUp() override { run.ReadyToMake(); }

    std::string Log() const { return ReadBytes(run.WorkDir() / "lyric.txt"); }
    fs::path Page(const char* name) const { return run.WorkDir() / "epub" / "text" / name; }

    // Everything a failed add must leave as it was.
    struct Snapshot {
        std::int16_t count;
        std::vector<std::u16string> names, lyrics, pages, list;
        int emptied;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot Take() const {
        return {run.SongCount(), run.SongNames(), run.SongLyrics(),
                run.SongPages(), view.list,       view.emptied};
    }

    ProgramFolder app;
    FixedClock clock{kNewYear2024};
    FakeView view;
    Workspace run{app.path(), clock, view};
};

struct LogCase {
    const char* name;
    std::u16string songName;
    std::u16string lyric;
    std::string record;  // hex
};

class SongLogRecords : public AddLyricTest, public ::testing::WithParamInterface<LogCase> {};

TEST_P(SongLogRecords, AreWrittenAsTypedInTheAnsiCodePage) {
    run.AddLyric(GetParam().songName, GetParam().lyric);
    EXPECT_EQ(Log(), Hex(GetParam().record));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SongLogRecords,
    ::testing::Values(
        // <songno=1><songname=A><lyric=x></song no = 1>
        LogCase{"OneSong", u"A", u"x",
                "3C736F6E676E6F3D313E3C736F6E676E616D653D413E3C6C797269633D783E"
                "3C2F736F6E67206E6F203D20313E 0D0A"},
        LogCase{"TwoLines", u"A", u"a\r\nb",
                "3C736F6E676E6F3D313E3C736F6E676E616D653D413E3C6C797269633D61 0D0A 623E"
                "3C2F736F6E67206E6F203D20313E 0D0A"},
        LogCase{"BlankName", u" ", u"x",
                "3C736F6E676E6F3D313E3C736F6E676E616D653D203E3C6C797269633D783E"
                "3C2F736F6E67206E6F203D20313E 0D0A"},
        LogCase{"Chinese", u"月亮", u"&<>",
                "3C736F6E676E6F3D313E3C736F6E676E616D653D D4C2C1C1 3E3C6C797269633D 263C3E 3E"
                "3C2F736F6E67206E6F203D20313E 0D0A"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(AddLyricTest, FirstSongFillsSlotOneAndTheList) {
    run.AddLyric(u"A", u"a\r\nb");
    EXPECT_EQ(run.SongCount(), 1);
    EXPECT_EQ(run.SongNames(), (std::vector<std::u16string>{u"", u"A", u""}));
    EXPECT_EQ(run.SongLyrics(), (std::vector<std::u16string>{u"", u"a<br/>\nb", u""}));
    EXPECT_EQ(run.SongPages()[1], PathText(Page("part0001.html")));
    EXPECT_EQ(view.list, std::vector<std::u16string>{u"1:A"});
    EXPECT_EQ(view.emptied, 1);
}

TEST_F(AddLyricTest, RefusedAddsChangeNothingAndNumbersGoOn) {
    const std::pair<std::u16string, std::u16string> adds[] = {
        {u"", u"x"}, {u"A", u"x"}, {u"A", u""}, {u"", u""}, {u"A", u"x"}, {u"\r\n", u" "}};
    for (const auto& [name, lyric] : adds) {
        run.AddLyric(name, lyric);
    }
    EXPECT_EQ(view.messages.shown.size(), 3u);
    EXPECT_EQ(view.messages.shown[0],
              std::make_pair(std::u16string(u"歌词和歌名不能为空。"), std::u16string(u"提示")));
    EXPECT_EQ(run.SongCount(), 3);
    EXPECT_EQ(view.list, (std::vector<std::u16string>{u"1:A", u"2:A", u"3:\r\n"}));
    for (const auto* table : {&run.SongNames(), &run.SongLyrics(), &run.SongPages()}) {
        EXPECT_EQ(table->size(), 5u);
        EXPECT_EQ(table->front(), u"");
        EXPECT_EQ(table->back(), u"");
    }
    EXPECT_TRUE(fs::exists(Page("part0003.html")));
    EXPECT_FALSE(fs::exists(Page("part0004.html")));
}

TEST_F(AddLyricTest, BookIsFullAtSong9999) {
    for (int i = 1; i <= Workspace::kMaxSongs; ++i) {
        run.AddLyric(u"S", u"x");
    }
    ASSERT_EQ(run.SongCount(), 9999);
    EXPECT_EQ(view.list[9], u"10:S");
    EXPECT_TRUE(fs::exists(Page("part9999.html")));
    const auto before = Take();
    const std::string log = Log();
    run.AddLyric(u"Overflow", u"x");
    EXPECT_EQ(Take(), before);
    EXPECT_EQ(Log(), log);
    ASSERT_EQ(view.messages.shown.size(), 1u);
    EXPECT_EQ(view.messages.shown[0].second, u"提示");
    EXPECT_NE(view.messages.shown[0].first.find(u"9999"), std::u16string::npos);
    EXPECT_FALSE(fs::exists(Page("part0000.html")));
}

TEST_F(AddLyricTest, RemovedWorkDirectoryFailsAndLosesNothing) {
    run.AddLyric(u"A", u"x");
    const auto before = Take();
    fs::remove_all(run.WorkDir());
    try {
        run.AddLyric(u"B", u"y");
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_NE(failure.message().find(PathText(run.WorkDir() / "lyric.txt")),
                  std::u16string::npos);
    }
    EXPECT_EQ(Take(), before);
}

TEST_F(AddLyricTest, FailedPageTakesBackTheLogRecord) {
    run.AddLyric(u"A", u"x");
    const auto before = Take();
    const std::string log = Log();
    fs::remove_all(run.WorkDir() / "epub" / "text");
    EXPECT_THROW(run.AddLyric(u"B", u"y"), Failure);
    EXPECT_EQ(Take(), before);
    EXPECT_EQ(Log(), log);
    // Once the folder is back, the same song goes in as number 2.
    fs::create_directory(run.WorkDir() / "epub" / "text");
    run.AddLyric(u"B", u"y");
    EXPECT_EQ(view.list.back(), u"2:B");
}

}  // namespace
}  // namespace velmora
