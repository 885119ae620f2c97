#include "text/xml_text.h"

#include "text/code_page.h"

namespace velmora {
namespace {

bool IsAllowedControl(char16_t unit) {
    return unit == u'\t' || unit == u'\n' || unit == u'\r';
}

}  // namespace

std::u16string XmlText(std::u16string_view text) {
    const std::u16string clean = codepage::WellFormed(text);
    std::u16string escaped;
    escaped.reserve(clean.size() + clean.size() / 8);
    for (const char16_t unit : clean) {
        switch (unit) {
            case u'&':
                escaped += u"&amp;";
                break;
            case u'<':
                escaped += u"&lt;";
                break;
            case u'>':
                escaped += u"&gt;";
                break;
            case u'\uFFFE':
            case u'\uFFFF':
                escaped += u'\uFFFD';
                break;
            default:
                escaped += unit < 0x20 && !IsAllowedControl(unit) ? u'\uFFFD' : unit;
                break;
        }
    }
    return escaped;
}

std::u16string Decimal(long long number) {
    const std::string digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

}  // namespace velmora
