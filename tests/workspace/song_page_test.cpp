#include "workspace/song_page.h"

#include <random>

#include <gtest/gtest.h>

#include "support/bytes.h"
#include "support/fakes.h"
#include "support/page_text.h"
#include "support/program_folder.h"
#include "text/code_page.h"
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
using namespace velmora::testing;

class SongPageTest : public ::testing::Test {
protected:
    void SetUp() override { run.ReadyToMake(); }

    std::string Page(int n) const {
        return ReadBytes(run.WorkDir() / "epub" / "text" / codepage::ToUtf8(PageFileName(n)));
    }
    std::string Template() const {
        return ReadBytes(app / "template" / "text" / "part0000.html") + "\r\n";
    }
    static std::string Body(const std::string& name, const std::string& lyric) {
        return "\t<body class=\"\">\r\n\t\t<h2 class=\"\">" + name + "</h2>\r\n\t\t<p class=\"\">" +
               lyric + "</p>\r\n\t</body> \r\n</html> \r\n";
    }

    ProgramFolder app;
    FixedClock clock{kNewYear2024};
    FakeView view;
    Workspace run{app.path(), clock, view};
};

TEST(PageFileName, HasFourDigits) {
    const std::pair<int, std::u16string> table[] = {{1, u"part0001.html"},
                                                    {7, u"part0007.html"},
                                                    {12, u"part0012.html"},
                                                    {123, u"part0123.html"},
                                                    {9999, u"part9999.html"}};
    for (const auto& [n, name] : table) {
        EXPECT_EQ(PageFileName(n), name);
    }
}

struct PageCase {
    const char* name;
    std::u16string songName;
    std::u16string lyric;
    std::string pageName;   // as UTF-8 in the page
    std::string pageLyric;  // as UTF-8 in the page
};

class FinishedPages : public SongPageTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(FinishedPages, AreUtf8WithBomTemplateAndFiveLines) {
    run.AddLyric(GetParam().songName, GetParam().lyric);
    EXPECT_EQ(Page(1),
              Hex("EF BB BF") + Template() + Body(GetParam().pageName, GetParam().pageLyric));
    EXPECT_TRUE(view.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, FinishedPages,
    ::testing::Values(
        PageCase{"Plain", u"A", u"x", "A", "x"},
        PageCase{"TwoLines", u"A", u"a\r\nb", "A", "a<br/>\nb"},
        PageCase{"Chinese", u"月亮", u"月", "\xE6\x9C\x88\xE4\xBA\xAE", "\xE6\x9C\x88"},
        PageCase{"Ampersand", u"Tom & Jerry", u"<b>&amp;</b>", "Tom &amp; Jerry",
                 "&lt;b&gt;&amp;amp;&lt;/b&gt;"},
        PageCase{"TypedBreakStaysText", u"x", u"<br/>", "x", "&lt;br/&gt;"},
        PageCase{"Emoji", u"\U0001F600", u"\u00E9", "\xF0\x9F\x98\x80", "\xC3\xA9"},
        PageCase{"DisallowedCharacters", std::u16string{u'a', 0x01, 0xD800, u'\uFFFF'},
                 std::u16string{u'\t', 0x1F, u'\uFFFE'}, "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD",
                 "\t\xEF\xBF\xBD\xEF\xBF\xBD"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(SongPageTest, MissingTemplateLeavesBodyOnlyAndIsShownOnce) {
    fs::remove(app / "template" / "text" / "part0000.html");
    run.AddLyric(u"A", u"x");
    EXPECT_EQ(Page(1), Hex("EF BB BF") + Body("A", "x"));
    ASSERT_EQ(view.messages.shown.size(), 1u);
    EXPECT_EQ(view.messages.shown[0].first, u"文件无法读入！");
    EXPECT_EQ(run.SongCount(), 1);
}

std::u16string RandomText(std::mt19937& random) {
    static const std::u16string pieces[] = {
        u"&",    u"<",      u">",      u"\r\n",
        u"\r",   u"\n",     u"月亮",   u"\U0001F600",
        u"a",    u" ",      u"\t",     u"\x01",
        u"\x1F", u"\uFFFE", u"\uFFFF", std::u16string(1, char16_t(0xD800)),
        u"]]>",  u"\"'",    u"&amp;"};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::u16string text;
    for (int i = std::uniform_int_distribution<int>(1, 12)(random); i > 0; --i) {
        text += pieces[pick(random)];
    }
    return text;
}

TEST_F(SongPageTest, EveryPageParsesAndGivesNameAndLyricBack) {
    std::mt19937 random(7);
    for (int n = 1; n <= 200; ++n) {
        const std::u16string name = RandomText(random);
        const std::u16string lyric = RandomText(random);
        run.AddLyric(name, lyric);
        const XmlDocument doc = ParseXml(Page(n));
        ASSERT_NE(doc, nullptr) << "page " << n << " is not well-formed";
        xmlNode* root = xmlDocGetRootElement(doc.get());
        xmlNode* h2 = FindElement(root, "h2");
        xmlNode* p = FindElement(root, "p");
        ASSERT_TRUE(h2 != nullptr && p != nullptr);
        EXPECT_EQ(TextOf(h2), LineEndsAsParsed(Carried(name))) << "page " << n;
        EXPECT_EQ(TextOf(p), Carried(lyric)) << "page " << n;
    }
}

}  // namespace
}  // namespace velmora
