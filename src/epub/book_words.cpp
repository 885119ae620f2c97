#include "epub/book_words.h"

#include <chrono>
#include <string>

#include "text/code_page.h"

namespace velmora {

const BookWords& WordsOf(Script script) {
    static const BookWords kSimplified{
        "zh-CN",     u"封面",     u"书名页",       u"目录",
        u"歌手索引", u"共 %1 首", u"%1年%2月%3日", u"歌词本，共 %1 首歌",
        u"歌词",     u"（续）"};
    static const BookWords kTraditional{
        "zh-TW",     u"封面",     u"書名頁",       u"目錄",
        u"歌手索引", u"共 %1 首", u"%1年%2月%3日", u"歌詞本，共 %1 首歌",
        u"歌詞",     u"（續）"};
    return script == Script::Traditional ? kTraditional : kSimplified;
}

std::string Filled(std::u16string_view text, std::initializer_list<long long> numbers) {
    std::string filled;
    const std::string utf8 = codepage::ToUtf8(text);
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        const char next = at + 1 < utf8.size() ? utf8[at + 1] : '\0';
        const auto k = static_cast<std::size_t>(next - '1');
        if (utf8[at] == '%' && next >= '1' && next <= '9' && k < numbers.size()) {
            filled += std::to_string(numbers.begin()[k]);
            ++at;
        } else {
            filled += utf8[at];
        }
    }
    return filled;
}

std::string DayOf(std::int64_t localSeconds, const BookWords& words) {
    using namespace std::chrono;
    const year_month_day day(floor<days>(sys_seconds{seconds(localSeconds)}));
    return Filled(words.date, {static_cast<int>(day.year()), static_cast<unsigned>(day.month()),
                               static_cast<unsigned>(day.day())});
}

}  // namespace velmora
