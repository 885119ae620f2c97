#include <functional>

#include <gtest/gtest.h>

#include "support/bytes.h"
#include "support/fakes.h"
#include "support/program_folder.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "workspace/song_page.h"
#include "workspace/workspace.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace testing;

class AddLyricTest : public ::testing::Test {
public:
    void SetUp() override { run.ReadyToMake(); }

    std::string Log() const { return ReadBytes(run.WorkDir() / "lyric.txt"); }
    fs::path Page(int n) const {
        return run.WorkDir() / "epub" / "text" / codepage::ToUtf8(PageFileName(n));
    }
    // The five body lines, as UTF-8.
    static std::string Body(const std::string& name, const std::string& lyric) {
        return "\t<body class=\"\">\r\n\t\t<h2 class=\"\">" + name + "</h2>\r\n\t\t<p class=\"\">" +
               lyric + "</p>\r\n\t</body> \r\n</html> \r\n";
    }

    // Everything a failed add must leave as it was, but the song log.
    auto State() const {
        return std::tuple(run.SongCount(), run.SongNames(), run.SongLyrics(), run.SongPages(),
                          view.list, view.emptied);
    }

    ProgramFolder app;
    FixedClock clock{kNewYear2024};
    FakeView view;
    Workspace run{app.path(), clock, view};
};

TEST_F(AddLyricTest, LogRecordAndPageAreByteExact) {
    const struct {
        std::u16string name, lyric;
        std::string record;               // in the log, after "<songno=1><songname="
        std::string pageName, pageLyric;  // UTF-8, in the page
    } table[] = {
        {u"A", u"x", "A><lyric=x", "A", "x"},
        {u"A", u"a\r\nb", "A><lyric=a\r\nb", "A", "a<br/>\nb"},
        {u" ", u"x", " ><lyric=x", " ", "x"},
        {u"月亮", u"&<>", "\xD4\xC2\xC1\xC1><lyric=&<>", "\xE6\x9C\x88\xE4\xBA\xAE",
         "&amp;&lt;&gt;"},
        {u"Tom & Jerry", u"<br/>", "Tom & Jerry><lyric=<br/>", "Tom &amp; Jerry", "&lt;br/&gt;"},
        {u"\U0001F600", std::u16string{u'\t', 0x1F, 0xFFFE, 0xD800},
         "\x94\x39\xFC\x36><lyric=\t\x1F\x84\x31\xA4\x38\x84\x31\xA4\x37", "\xF0\x9F\x98\x80",
         "\t\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    const std::string head = ReadBytes(app / "template" / "text" / "part0000.html") + "\r\n";
    for (const auto& row : table) {
        Workspace fresh(app.path(), clock, view);
        fresh.ReadyToMake();
        fresh.AddLyric(row.name, row.lyric);
        EXPECT_EQ(ReadBytes(fresh.WorkDir() / "lyric.txt"),
                  "<songno=1><songname=" + row.record + "></song no = 1>\r\n");
        EXPECT_EQ(ReadBytes(fresh.WorkDir() / "epub" / "text" / "part0001.html"),
                  "\xEF\xBB\xBF" + head + Body(row.pageName, row.pageLyric));
        fs::remove_all(fresh.WorkDir());
    }
}

TEST_F(AddLyricTest, MissingPageTemplateLeavesTheBodyAndIsShownOnce) {
    fs::remove(app / "template" / "text" / "part0000.html");
    run.AddLyric(u"A", u"x");
    EXPECT_EQ(ReadBytes(Page(1)), "\xEF\xBB\xBF" + Body("A", "x"));
    EXPECT_EQ(view.messages.shown.size(), 1u);
}

TEST_F(AddLyricTest, RefusedAddsChangeNothingAndNumbersGoOn) {
    for (const auto& [name, lyric] : {std::pair<std::u16string, std::u16string>{u"", u"x"},
                                      {u"A", u"a\r\nb"},
                                      {u"A", u""},
                                      {u"\r\n", u" "}}) {
        run.AddLyric(name, lyric);
    }
    EXPECT_EQ(view.messages.shown,
              (decltype(view.messages.shown)(2, {u"歌词和歌名不能为空。", u"提示"})));
    EXPECT_EQ(view.list, (std::vector<std::u16string>{u"1:A", u"2:\r\n"}));
    EXPECT_EQ(view.emptied, 2);
    EXPECT_EQ(run.SongLyrics(), (std::vector<std::u16string>{u"", u"a<br/>\nb", u" ", u""}));
    EXPECT_EQ(run.SongPages()[2], PathText(Page(2)));
}

TEST_F(AddLyricTest, BookIsFullAtSong9999) {
    for (int i = 1; i <= Workspace::kMaxSongs; ++i) {
        run.AddLyric(u"S", u"x");
    }
    EXPECT_EQ(view.list[9], u"10:S");
    EXPECT_TRUE(fs::exists(Page(9999)));
    const auto before = State();
    const std::string log = Log();
    run.AddLyric(u"Overflow", u"x");
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Log(), log);
    ASSERT_EQ(view.messages.shown.size(), 1u);
    EXPECT_EQ(view.messages.shown[0].first, u"歌词本已满：最多只能收录 9999 首歌。");
}

// Each fault stops the add with a message naming the path; nothing of the song stays.
TEST_F(AddLyricTest, FailedAddsLoseNothing) {
    run.AddLyric(u"A", u"x");
    const struct {
        const char* name;
        std::function<void()> arrange;
        fs::path named;
        std::u16string reason;
    } faults[] = {
        {"PagesFolderGone", [&] { fs::remove_all(run.WorkDir() / "epub" / "text"); }, Page(2),
         u"No such file or directory"},
        {"DiskFull", [] {}, Page(2), u"File too large"},
        {"WorkDirGone", [&] { fs::remove_all(run.WorkDir()); }, run.WorkDir() / "lyric.txt",
         u"No such file or directory"},
    };
    for (const auto& fault : faults) {
        const auto before = State();
        const std::string log = Log();
        fault.arrange();
        std::u16string message;
        try {
            // Room for the song's log record, not for its page.
            FileSizeLimit limit(log.size() + 7000);
            run.AddLyric(u"B", std::u16string(3000, u'歌'));
        } catch (const Failure& failure) {
            message = failure.message();
        }
        EXPECT_NE(message.find(PathText(fault.named) + u"（" + fault.reason), std::u16string::npos)
            << fault.name << ": " << codepage::ToUtf8(message);
        EXPECT_EQ(State(), before) << fault.name;
        if (fs::exists(run.WorkDir())) {
            EXPECT_EQ(Log(), log) << fault.name;
            EXPECT_FALSE(fs::exists(Page(2))) << fault.name;
        }
        fs::create_directories(run.WorkDir() / "epub" / "text");
    }
}

}  // namespace
}  // namespace velmora
