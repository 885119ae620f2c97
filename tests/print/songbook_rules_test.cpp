#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <numeric>
#include <set>
#include <sstream>

#include "print/chinese_font.h"
#include "print/line_breaks.h"
#include "print/line_fitting.h"
#include "print/pagination.h"
#include "print/pdf_info.h"

using namespace velmora;

namespace {

// The line with "|" where it may break.
std::string Marked(const QString& line) {
    QString marked = line;
    const std::vector<qsizetype> breaks = LineBreaks(line);
    for (auto at = breaks.rbegin(); at != breaks.rend(); ++at) {
        marked.insert(*at, u'|');
    }
    return marked.toStdString();
}

// A line of n characters each one wide, breakable at `breaks`.
LineMeasure Even(int n, std::vector<std::ptrdiff_t> breaks) {
    LineMeasure line;
    for (int i = 0; i <= n; ++i) {
        line.x.push_back(i);
        if (i > 0 && i < n) {
            line.characters.push_back(i);
        }
    }
    line.breaks = std::move(breaks);
    return line;
}

SongMeasure Song(double head, std::vector<int> stanzaLines) {
    SongMeasure song{head, {}};
    for (const int lines : stanzaLines) {
        song.stanzas.emplace_back(static_cast<std::size_t>(lines), 1.0);
    }
    return song;
}

// Each page as the songs and stanzas on it: "0h 0s0 0s1[0,2)" (h: a head; s: a stanza, its
// lines when not all), "-" for a blank page, "^" before a page with a running head.
std::string Pages(const Pagination& pagination, const std::vector<SongMeasure>& songs) {
    std::ostringstream out;
    for (std::size_t n = 0; n < pagination.pages.size(); ++n) {
        const SongPage& page = pagination.pages[n];
        out << (n == 0 ? "" : " | ") << (page.runningHead ? "^" : "")
            << (page.placed.empty() ? "-" : "");
        for (std::size_t k = 0; k < page.placed.size(); ++k) {
            const Placed& placed = page.placed[k];
            out << (k == 0 ? "" : " ") << placed.song;
            if (placed.stanza < 0) {
                out << "h";
                continue;
            }
            out << "s" << placed.stanza;
            const auto count = songs[static_cast<std::size_t>(placed.song)]
                                   .stanzas[static_cast<std::size_t>(placed.stanza)]
                                   .size();
            if (placed.firstLine != 0 || placed.endLine != static_cast<int>(count)) {
                out << "[" << placed.firstLine << "," << placed.endLine << ")";
            }
            out << "@" << placed.y;
        }
    }
    return out.str();
}

}  // namespace

TEST(LineBreaks, FollowChineseLayoutRules) {
    const std::pair<const char16_t*, const char*> table[] = {
        {u"你好，世界。", "你|好，|世|界。"},
        {u"他说：“你好”。", "他|说：“你|好”。"},
        {u"（副歌）重复", "（副|歌）|重|复"},
        {u"《晴天》、《稻香》", "《晴|天》、|《稻|香》"},
        {u"等一下——好吗……走吧", "等|一|下|——|好|吗……|走|吧"},
        {u"I love you 我爱你", "I |love |you |我|爱|你"},
        {u"Hi, there (again)!", "Hi, |there |(again)!"},
        {u"【间奏】「啊」『哦』〈嗯〉", "【间|奏】|「啊」|『哦』|〈嗯〉"},
        {u"爱？！是的；好：嗯", "爱？！|是|的；|好：|嗯"},
        {u"Coldplay", "Coldplay"},
        {u"", ""},
    };
    for (const auto& [line, marked] : table) {
        EXPECT_EQ(Marked(QString::fromUtf16(line)), marked);
    }
}

TEST(LineBreaks, MarksOnEachSide) {
    for (const char16_t c : std::u16string_view(u"，。、；：？！）」』》〉】…,.;:?!)]}’”")) {
        EXPECT_TRUE(MayNotStartLine(c)) << static_cast<int>(c);
        EXPECT_FALSE(MayNotEndLine(c)) << static_cast<int>(c);
    }
    for (const char16_t c : std::u16string_view(u"（「『《〈【“‘([{")) {
        EXPECT_TRUE(MayNotEndLine(c)) << static_cast<int>(c);
        EXPECT_FALSE(MayNotStartLine(c)) << static_cast<int>(c);
    }
    EXPECT_FALSE(MayNotStartLine(u'好'));
    EXPECT_FALSE(MayNotEndLine(u'好'));
}

// The rules alone, whatever Unicode's own allow in the Qt at hand.
TEST(LineBreaks, NeverAfterAnOpeningOrBeforeAClosingMark) {
    const std::tuple<char16_t, char16_t, bool> table[] = {
        {u'好', u'好', true}, {u'好', u'，', false}, {u'（', u'好', false}, {u'“', u'好', false},
        {u'好', u'”', false}, {u'(', u'a', false},   {u'a', u')', false},   {u'—', u'—', false},
        {u'…', u'…', false},  {u'好', u'—', true},   {u'—', u'好', true},   {u'”', u'“', true},
        {u'。', u'（', true}, {u'好', u'…', false},
    };
    for (const auto& [before, after, may] : table) {
        EXPECT_EQ(MayBreakBetween(before, after), may)
            << static_cast<int>(before) << " " << static_cast<int>(after);
    }
}

// The known fonts first, in their order and the script's forms; any other that writes
// Chinese before none at all.
TEST(PreferredFamily, KnownFontsFirstElseAnyWithChinese) {
    const std::tuple<QStringList, Script, std::optional<QString>> table[] = {
        {{"Noto Sans CJK SC", "WenQuanYi Micro Hei"}, Script::Simplified, "WenQuanYi Micro Hei"},
        {{"Noto Sans CJK SC", "Noto Sans CJK TC"}, Script::Traditional, "Noto Sans CJK TC"},
        {{"Noto Sans CJK TC", "Noto Sans CJK SC"}, Script::Simplified, "Noto Sans CJK SC"},
        {{"SimSun", "Microsoft YaHei"}, Script::Simplified, "Microsoft YaHei"},
        {{"MingLiU", "Microsoft JhengHei"}, Script::Traditional, "Microsoft JhengHei"},
        {{"AR PL UMing TW", "AR PL UKai CN"}, Script::Simplified, "AR PL UMing TW"},
        {{}, Script::Simplified, std::nullopt},
    };
    for (const auto& [chinese, script, chosen] : table) {
        EXPECT_EQ(PreferredFamily(chinese, script), chosen) << chinese.join(",").toStdString();
    }
}

// Where the printed lines start: a row is the line's length, its breaks, the width and the
// indent of the lines after the first.
TEST(FitLine, EndsEachLineAtTheLastBreakThatFits) {
    const std::tuple<int, std::vector<std::ptrdiff_t>, double, double, std::vector<std::ptrdiff_t>>
        table[] = {
            {4, {2}, 5, 0, {0}},               // fits whole
            {5, {2}, 5, 0, {0}},               // exactly
            {10, {3, 5, 8}, 6, 0, {0, 5}},     // the last break that fits
            {10, {3, 5, 8}, 6, 2, {0, 5, 8}},  // indented lines hold less
            {10, {}, 4, 0, {0, 4, 8}},         // no break: cut where it is full
            {10, {8}, 4, 0, {0, 4, 8}},        // a break too far: cut, then the break
            {3, {1, 2}, 0.5, 0, {0, 1, 2}},    // not one fits: one character a line
            {12, {2, 4, 6, 8, 10}, 4, 1, {0, 4, 6, 8, 10}},
        };
    for (const auto& [n, breaks, width, indent, starts] : table) {
        EXPECT_EQ(FitLine(Even(n, breaks), width, indent), starts) << n << " in " << width;
    }
}

// A row: the songs (head, lines of each stanza), whether each starts a page, the first page's
// number, and the pages. Pages 10 high, 1 between stanzas, 1 for a running head.
TEST(Paginate, SetsSongsAsASongbook) {
    const PageFrame frame{10, 1, 1};
    const std::tuple<std::vector<SongMeasure>, bool, int, const char*> table[] = {
        // Stanzas kept whole: the third goes over, under a running head.
        {{Song(2, {3, 3, 3})}, true, 4, "0h 0s0@2 0s1@6 | 0s2@1"},
        // Two pages from an odd page: a blank page first, so they face each other, and the
        // right-hand one needs no name on top.
        {{Song(2, {3, 3, 3})}, true, 3, "- | 0h 0s0@2 0s1@6 | 0s2@1"},
        // One page: no blank for it.
        {{Song(2, {3, 3}), Song(2, {2})}, true, 3, "0h 0s0@2 0s1@6 | 1h 1s0@2"},
        // Longer than a page: cut line by line; past two pages, each later page named.
        {{Song(1, {25})}, true, 2, "0h 0s0[0,9)@1 | 0s0[9,18)@1 | ^0s0[18,25)@1"},
        // Songs following each other, a head never alone at the foot of a page.
        {{Song(2, {3}), Song(2, {3}), Song(2, {2})}, false, 3, "0h 0s0@2 | 1h 1s0@2 2h 2s0@8"},
        {{Song(2, {2}), Song(2, {12})}, false, 3, "0h 0s0@2 1h 1s0[0,3)@7 | ^1s0[3,12)@1"},
        // Three pages from an even page: the third names the song.
        {{Song(1, {8, 8, 8})}, true, 2, "0h 0s0@1 | 0s1@1 | ^0s2@1"},
        {{Song(2, {}), Song(2, {})}, false, 1, "0h 1h"},
        {{}, true, 1, ""},
    };
    for (const auto& [songs, newPages, first, pages] : table) {
        const Pagination pagination = Paginate(songs, frame, first, newPages);
        EXPECT_EQ(Pages(pagination, songs), pages);
        ASSERT_EQ(pagination.starts.size(), songs.size());
        for (std::size_t s = 0; s < songs.size(); ++s) {
            const auto& placed =
                pagination.pages[static_cast<std::size_t>(pagination.starts[s])].placed;
            EXPECT_TRUE(std::any_of(placed.begin(), placed.end(), [&](const Placed& p) {
                return p.song == static_cast<int>(s) && p.stanza == -1;
            })) << pages;
        }
    }
}

TEST(FillPages, PutsEachEntryWhereItFits) {
    EXPECT_EQ(FillPages({3, 3, 3, 3}, 4, 10), (std::vector<int>{0, 0, 1, 1}));
    EXPECT_EQ(FillPages({3, 3, 3, 3}, 0, 10), (std::vector<int>{0, 0, 0, 1}));
    EXPECT_EQ(FillPages({12, 1}, 0, 10), (std::vector<int>{0, 1}));  // too tall: alone
    EXPECT_EQ(FillPages({}, 2, 10), std::vector<int>{});
}

// Each page once, on sheets folded in half: the two pages of a side add up to one more than
// the count padded to four, the left-hand one even; the pages past the count blank.
TEST(BookletSides, FoldIntoASaddleStitchedBooklet) {
    EXPECT_EQ(BookletSides(8), (std::vector<BookletSide>{{8, 1}, {2, 7}, {6, 3}, {4, 5}}));
    for (int pages = 1; pages <= 17; ++pages) {
        const int padded = (pages + 3) / 4 * 4;
        const std::vector<BookletSide> full = BookletSides(padded);
        std::vector<int> seen;
        for (std::size_t n = 0; n < full.size(); ++n) {
            EXPECT_EQ(full[n].left + full[n].right, padded + 1) << padded;
            EXPECT_EQ(full[n].left % 2, 0) << padded << " side " << n;
            seen.push_back(full[n].left);
            seen.push_back(full[n].right);
        }
        std::sort(seen.begin(), seen.end());
        std::vector<int> every(static_cast<std::size_t>(padded));
        std::iota(every.begin(), every.end(), 1);
        EXPECT_EQ(seen, every) << padded;
        std::vector<BookletSide> blanked = full;
        for (BookletSide& side : blanked) {
            side.left = side.left > pages ? 0 : side.left;
            side.right = side.right > pages ? 0 : side.right;
        }
        EXPECT_EQ(BookletSides(pages), blanked) << pages;
    }
}

TEST(WithAuthor, LeavesWhatItCannotReadAsItIs) {
    for (const QByteArray& pdf : {QByteArray(), QByteArray("%PDF-1.4\n"),
                                  QByteArray("trailer\n<<\n/Size 3\n>>\nstartxref\n9\n%%EOF\n")}) {
        EXPECT_EQ(WithAuthor(pdf, "小明"), pdf);
    }
}
