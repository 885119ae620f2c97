#include "text/xml_text.h"

#include <algorithm>

#include "text/code_page.h"

namespace velmora {
namespace {

// Characters XML 1.0 does not allow, surrogates aside.
bool IsDisallowed(char32_t cp) {
    return (cp < 0x20 && cp != u'\t' && cp != u'\n' && cp != u'\r') || cp == 0xFFFE || cp == 0xFFFF;
}

// A unit that may not go in as it is in every place: markup, a quote, a character XML does
// not allow, a surrogate.
bool NeedsLook(char16_t unit) {
    return unit < 0x20 || unit == u'&' || unit == u'<' || unit == u'>' || unit == u'"' ||
           (unit >= 0xD800 && unit <= 0xDFFF) || unit >= 0xFFFE;
}

// The escape of a character in this place, or nothing for one that goes in as it is.
std::string_view Escape(char32_t cp, XmlPlace place) {
    switch (cp) {
        case U'&':
            return "&amp;";
        case U'<':
            return "&lt;";
        case U'>':
            return "&gt;";
        case U'"':
            return place == XmlPlace::Attribute ? "&quot;" : "";
        case U'\r':
            return place == XmlPlace::Lines ? "<br/>" : "";
        default:
            return "";
    }
}

}  // namespace

void AppendXml(std::string& out, std::u16string_view text, XmlPlace place) {
    // Room for the most a unit can take, "&quot;"; cut to what was written.
    const std::size_t start = out.size();
    out.resize(start + 6 * text.size());
    char* end = out.data() + start;
    for (std::size_t i = 0; i < text.size();) {
        if (!NeedsLook(text[i])) {
            end = codepage::PutUtf8(end, text[i++]);
        } else if (const char32_t cp = codepage::NextCodePoint(text, i);
                   !Escape(cp, place).empty()) {
            const std::string_view escape = Escape(cp, place);
            end = std::copy(escape.begin(), escape.end(), end);
        } else {
            end = codepage::PutUtf8(end, IsDisallowed(cp) ? U'\uFFFD' : cp);
        }
    }
    out.resize(static_cast<std::size_t>(end - out.data()));
}

std::string Xml(std::u16string_view text, XmlPlace place) {
    std::string xml;
    AppendXml(xml, text, place);
    return xml;
}

}  // namespace velmora
