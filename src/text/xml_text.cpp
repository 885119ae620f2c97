#include "text/xml_text.h"

#include <algorithm>

#include "text/code_page.h"

namespace velmora {
namespace {

// Characters XML 1.0 does not allow, surrogates aside.
bool IsDisallowed(char32_t cp) {
    return (cp < 0x20 && cp != u'\t' && cp != u'\n' && cp != u'\r') || cp == 0xFFFE || cp == 0xFFFF;
}

// A unit that may not go in as it is: markup, a character XML does not allow, a surrogate.
bool NeedsLook(char16_t unit) {
    return unit < 0x20 || unit == u'&' || unit == u'<' || unit == u'>' ||
           (unit >= 0xD800 && unit <= 0xDFFF) || unit >= 0xFFFE;
}

}  // namespace

std::u16string XmlText(std::u16string_view text) {
    std::u16string escaped;
    escaped.reserve(text.size() + 16);
    // Runs of plain units are copied whole: most text is nothing but.
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); plain = i) {
        while (i < text.size() && !NeedsLook(text[i])) {
            ++i;
        }
        escaped.append(text.substr(plain, i - plain));
        if (i == text.size()) {
            break;
        }
        const char32_t cp = codepage::NextCodePoint(text, i);
        if (cp == u'&') {
            escaped += u"&amp;";
        } else if (cp == u'<') {
            escaped += u"&lt;";
        } else if (cp == u'>') {
            escaped += u"&gt;";
        } else {
            codepage::AppendCodePoint(escaped, IsDisallowed(cp) ? U'\uFFFD' : cp);
        }
    }
    return escaped;
}

void AppendXmlUtf8(std::string& out, std::u16string_view text, bool breaks) {
    // Room for the most a unit can take, "&amp;" and "<br/>"; cut to what was written.
    const std::size_t start = out.size();
    out.resize(start + 5 * text.size());
    char* end = out.data() + start;
    const auto put = [&end](std::string_view bytes) {
        end = std::copy(bytes.begin(), bytes.end(), end);
    };
    for (std::size_t i = 0; i < text.size();) {
        if (!NeedsLook(text[i])) {
            end = codepage::PutUtf8(end, text[i++]);
        } else if (breaks && text[i] == u'\r') {
            put("<br/>");
            ++i;
        } else if (const char32_t cp = codepage::NextCodePoint(text, i); cp == u'&') {
            put("&amp;");
        } else if (cp == u'<') {
            put("&lt;");
        } else if (cp == u'>') {
            put("&gt;");
        } else {
            end = codepage::PutUtf8(end, IsDisallowed(cp) ? U'\uFFFD' : cp);
        }
    }
    out.resize(static_cast<std::size_t>(end - out.data()));
}

std::u16string XmlAttribute(std::u16string_view text) {
    std::u16string escaped;
    for (const char16_t unit : XmlText(text)) {
        escaped += unit == u'"' ? std::u16string(u"&quot;") : std::u16string(1, unit);
    }
    return escaped;
}

std::u16string Decimal(long long number) {
    const std::string digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

}  // namespace velmora
