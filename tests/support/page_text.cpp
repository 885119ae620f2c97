#include "support/page_text.h"

#include <libxml/parser.h>

#include "text/code_page.h"

namespace velmora::testing {

XmlDocument ParseXml(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    return {
        xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE),
        xmlFreeDoc};
}

std::vector<xmlNode*> FindElements(xmlNode* node, const char* name) {
    std::vector<xmlNode*> found;
    for (; node != nullptr; node = node->next) {
        if (node->type == XML_ELEMENT_NODE && xmlStrEqual(node->name, BAD_CAST name)) {
            found.push_back(node);
        }
        for (xmlNode* inner : FindElements(node->children, name)) {
            found.push_back(inner);
        }
    }
    return found;
}

std::u16string TextOf(xmlNode* element) {
    std::string utf8;
    for (xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (child->type == XML_TEXT_NODE) {
            utf8 += reinterpret_cast<const char*>(child->content);
        } else if (child->type == XML_ELEMENT_NODE && xmlStrEqual(child->name, BAD_CAST "br")) {
            utf8 += "\r";
        }
    }
    return codepage::FromUtf8(utf8);
}

std::u16string Carried(std::u16string_view text) {
    std::u16string carried = codepage::WellFormed(text);
    for (char16_t& unit : carried) {
        const bool control = unit < 0x20 && unit != u'\t' && unit != u'\n' && unit != u'\r';
        if (control || unit == u'\uFFFE' || unit == u'\uFFFF') {
            unit = u'\uFFFD';
        }
    }
    return carried;
}

std::u16string LineEndsAsParsed(std::u16string_view text) {
    std::u16string parsed;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            continue;
        }
        parsed += text[i] == u'\r' ? u'\n' : text[i];
    }
    return parsed;
}

}  // namespace velmora::testing
