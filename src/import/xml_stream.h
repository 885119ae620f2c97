#pragma once
// An XML document read a node at a time (libxml2's text reader), never built whole: what an
// untrusted page may cost is bounded while it is read, its elements counted and its depth
// watched, no entity expanded and nothing fetched.

#include <libxml/xmlreader.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace velmora {

class XmlStream {
public:
    // `name` names the document in the failures raised.
    XmlStream(std::string_view xml, std::string name, std::size_t mostElements);

    // Moves to the next node; false at the document's end. Raises Failure(NotXml) for a
    // document that is not well formed, Failure(PageTooComplex) past the elements allowed
    // or too deep.
    bool Next();

    bool AtStart(const char* element) const;  // the start of such an element
    bool AtEnd(const char* element) const;    // its end; an empty element ends where it starts
    bool AtText() const;                      // text or CDATA
    // The element's attribute, "" when it has none.
    std::string Attribute(const char* name) const;
    // The text node's UTF-8.
    std::string_view Text() const;
    int Depth() const;

private:
    bool Named(const char* element) const;

    std::string name_;
    std::size_t mostElements_;
    std::size_t elements_ = 0;
    std::unique_ptr<xmlTextReader, decltype(&xmlFreeTextReader)> reader_;
};

}  // namespace velmora
