#include <gtest/gtest.h>

#include "support/bytes.h"
#include "support/fakes.h"
#include "support/faults.h"
#include "support/folders.h"
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
    // Everything a failed add must leave as it was: tables, list, boxes, log, pages.
    auto State() const {
        const SongCollection& songs = run.Songs();
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(run.WorkDir())) {
            files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        return std::tuple(songs.SongCount(), songs.SongNames(), songs.SongLyrics(),
                          songs.SongPages(), view.list, view.emptied, Log(), files);
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
        {u" ", u"x\u00A0y", " ><lyric=x\x81\x30\x84\x32y", " ", "x\xC2\xA0y"},
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
    }
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
    EXPECT_EQ(run.Songs().SongLyrics(),
              (std::vector<std::u16string>{u"", u"a<br/>\nb", u" ", u""}));
    EXPECT_EQ(run.Songs().SongPages()[2], PathText(Page(2)));
}

TEST_F(AddLyricTest, BookIsFullAtSong9999) {
    for (int i = 1; i <= Workspace::kMaxSongs; ++i) {
        run.AddLyric(u"S", u"x");
    }
    EXPECT_EQ(view.list[9], u"10:S");
    EXPECT_TRUE(fs::exists(Page(9999)));
    const auto before = State();
    run.AddLyric(u"Overflow", u"x");
    EXPECT_EQ(State(), before);
    const std::pair<std::u16string, std::u16string> full{u"歌词本已满：最多只能收录 9999 首歌。",
                                                         u"提示"};
    EXPECT_EQ(view.messages.shown.back(), full);
}

// Each fault stops the add with a message naming the file; nothing of the song stays.
TEST_F(AddLyricTest, FailedAddsLoseNothing) {
    run.AddLyric(u"A", u"x");
    const std::u16string page = PathText(Page(2));
    const std::u16string log = PathText(run.WorkDir() / "lyric.txt");
    const fs::path pageTemplate = app / "template" / "text" / "part0000.html";
    const struct {
        Fault fault;
        std::u16string message;
    } table[] = {
        {{Call::Open, "part0000.html", EACCES}, u"文件无法读入！\n" + PathText(pageTemplate)},
        {{Call::Open, "part0002.html", EACCES},
         u"无法写入文件：" + page + u"（Permission denied）"},
        {{Call::Write, "part0002.html", ENOSPC, 100},
         u"无法写入文件：" + page + u"（No space left on device）"},
        {{Call::Rename, "part0002.html", EIO},
         u"无法写入文件：" + page + u"（Input/output error）"},
        {{Call::Write, "lyric.txt", ENOSPC, 10},
         u"无法写入文件：" + log + u"（No space left on device）"},
        {{Call::Close, "lyric.txt", EIO}, u"无法写入文件：" + log + u"（Input/output error）"},
    };
    for (const auto& row : table) {
        const auto before = State();
        InjectedFaults faults({row.fault});
        EXPECT_EQ(FailureOf([&] { run.AddLyric(u"B", u"歌词"); }), row.message);
        EXPECT_EQ(State(), before) << codepage::ToUtf8(row.message);
    }
    // Short of memory halfway: the same.
    const auto before = State();
    InjectedFaults faults({Throws(Call::Open, "lyric.txt")});
    EXPECT_THROW(run.AddLyric(u"B", u"歌词"), std::bad_alloc);
    EXPECT_EQ(State(), before);
}

// A real full disk (the file-size limit), not the seam: the page cannot be written.
TEST_F(AddLyricTest, FullDiskLosesNothing) {
    const auto before = State();
    FileSizeLimit limit(4096);
    EXPECT_NE(FailureOf([&] {
                  run.AddLyric(u"B", std::u16string(3000, u'歌'));
              }).find(u"（File too large）"),
              std::u16string::npos);
    EXPECT_EQ(State(), before);
}

// A cleaner took the run's folder: the next add puts back all of it from the tables.
TEST_F(AddLyricTest, AddsRestoreAWorkDirectoryThatHasGone) {
    run.AddLyric(u"A", u"a\r\nb");
    const std::string page = ReadBytes(Page(1));
    const std::string log = Log();
    fs::remove_all(run.WorkDir());
    run.AddLyric(u"B", u"x");
    EXPECT_EQ(ReadBytes(Page(1)), page);
    EXPECT_EQ(Log(), log + "<songno=2><songname=B><lyric=x></song no = 2>\r\n");
    EXPECT_TRUE(fs::exists(run.WorkDir() / "epub" / "META-INF" / "container.xml"));
    EXPECT_TRUE(fs::is_directory(run.WorkDir() / "epub" / "images"));
    EXPECT_EQ(view.list.back(), u"2:B");
}

}  // namespace
}  // namespace velmora
