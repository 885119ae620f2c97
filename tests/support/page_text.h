#pragma once
// Reading the user's text back out of a finished page or navigation document.

#include <libxml/tree.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::testing {

using XmlDocument = std::unique_ptr<xmlDoc, void (*)(xmlDoc*)>;

// nullptr when the bytes (after a UTF-8 BOM, if any) are not well-formed XML.
XmlDocument ParseXml(std::string_view bytes);

// Every element of that name in document order.
std::vector<xmlNode*> FindElements(xmlNode* node, const char* name);

// The element's text, with each <br/> read as CR.
std::u16string TextOf(xmlNode* element);

// What XML can carry of a text: disallowed characters as U+FFFD.
std::u16string Carried(std::u16string_view text);

// Parsers read every CR LF and lone CR in character data as LF.
std::u16string LineEndsAsParsed(std::u16string_view text);

}  // namespace velmora::testing
