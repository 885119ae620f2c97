#include "text/xml_text.h"

namespace velmora {
namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Characters XML 1.0 does not allow, surrogates aside.
bool IsDisallowed(char16_t unit) {
    return (unit < 0x20 && unit != u'\t' && unit != u'\n' && unit != u'\r') || unit == 0xFFFE ||
           unit == 0xFFFF;
}

}  // namespace

std::u16string XmlText(std::u16string_view text) {
    std::u16string escaped;
    escaped.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit == u'&') {
            escaped += u"&amp;";
        } else if (unit == u'<') {
            escaped += u"&lt;";
        } else if (unit == u'>') {
            escaped += u"&gt;";
        } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            escaped += unit;
            escaped += text[++i];
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit) || IsDisallowed(unit)) {
            escaped += u'\uFFFD';
        } else {
            escaped += unit;
        }
    }
    return escaped;
}

std::u16string Decimal(long long number) {
    const std::string digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

}  // namespace velmora
