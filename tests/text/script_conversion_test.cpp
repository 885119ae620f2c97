#include "text/script_conversion.h"

#include <gtest/gtest.h>

#include "text/failure.h"

namespace velmora {
namespace {

// Either script, phrase by phrase, around what OpenCC cannot take: NUL, lone surrogates.
TEST(ScriptConversionTest, ConvertsAroundWhatOpenCcCannotTake) {
    const std::u16string nul(1, u'\0');
    EXPECT_EQ(ScriptConversion(Script::Traditional)(u"软件" + nul +
                                                    u"头发\xD800后来\xDC00\U00020000鼠标"),
              u"軟體" + nul + u"頭髮\xD800後來\xDC00\U00020000滑鼠");
    // Pairs at both ends of the surrogates' range stay whole.
    EXPECT_EQ(ScriptConversion(Script::Simplified)(u"\U00010000後\U0010FFFF"),
              u"\U00010000后\U0010FFFF");
    EXPECT_EQ(ScriptConversion(Script::Simplified)(u"頭髮 \r\n後來"), u"头发 \r\n后来");
    EXPECT_EQ(ScriptConversion(Script::Simplified)(u""), u"");
}

// The forms a reader asks for, phrases and all: the mainland's words from Taiwan's, Taiwan's
// from the mainland's, Hong Kong's forms, or the characters alone.
TEST(ScriptConversionTest, ConvertsIntoEachForm) {
    const struct {
        ScriptForm to;
        std::u16string_view from, into;
    } table[] = {
        {ScriptForm::Simplified, u"軟體裡存著頭髮", u"软件里存着头发"},
        {ScriptForm::Simplified, u"滑鼠和資訊", u"鼠标和信息"},
        {ScriptForm::Taiwan, u"软件里存着", u"軟體裡存著"},
        {ScriptForm::Taiwan, u"未保存，淋湿", u"未儲存，淋溼"},
        {ScriptForm::HongKong, u"软件里存着，淋湿", u"軟件裏存着，淋濕"},
        {ScriptForm::Characters, u"软件里存着，未保存，淋湿", u"軟件裏存着，未保存，淋溼"},
    };
    for (const auto& [to, from, into] : table) {
        EXPECT_EQ(ScriptConversion(to)(from), into) << static_cast<int>(to);
    }
}

// A configuration that cannot be loaded is said, with its name and OpenCC's reason.
TEST(ScriptConversionTest, ConfigurationNotThereIsSaid) {
    for (const char* configuration : {"none.json", "/etc/hostname"}) {
        try {
            ScriptConversion{configuration};
            ADD_FAILURE() << configuration;
        } catch (const Failure& failure) {
            EXPECT_EQ(std::pair(failure.problem(), failure.path()),
                      std::pair(Problem::CannotConvert, std::filesystem::path(configuration)));
            EXPECT_FALSE(failure.detail().empty());
        }
    }
}

}  // namespace
}  // namespace velmora
