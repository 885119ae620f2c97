#include "import/xml_stream.h"

#include "text/failure.h"

namespace velmora {
namespace {

// Deeper than any page or package of ours nests, by far.
constexpr int kMostDepth = 64;

}  // namespace

XmlStream::XmlStream(std::string_view xml, std::string name, std::size_t mostElements)
    : name_(std::move(name)),
      mostElements_(mostElements),
      reader_(xmlReaderForMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                                 XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
              xmlFreeTextReader) {
    if (!reader_ || xml.size() > static_cast<std::size_t>(INT32_MAX)) {
        throw Failure(Problem::NotXml, {}, 0, name_);
    }
}

bool XmlStream::Next() {
    const int read = xmlTextReaderRead(reader_.get());
    if (read < 0) {
        throw Failure(Problem::NotXml, {}, 0, name_);
    }
    if (read == 0) {
        return false;
    }
    if (xmlTextReaderNodeType(reader_.get()) == XML_READER_TYPE_ELEMENT &&
        (++elements_ > mostElements_ || Depth() > kMostDepth)) {
        throw Failure(Problem::PageTooComplex, {}, 0, name_);
    }
    return true;
}

bool XmlStream::Named(const char* element) const {
    const xmlChar* local = xmlTextReaderConstLocalName(reader_.get());
    return local != nullptr && xmlStrEqual(local, BAD_CAST element);
}

bool XmlStream::AtStart(const char* element) const {
    return xmlTextReaderNodeType(reader_.get()) == XML_READER_TYPE_ELEMENT && Named(element);
}

bool XmlStream::AtEnd(const char* element) const {
    const int type = xmlTextReaderNodeType(reader_.get());
    return Named(element) &&
           (type == XML_READER_TYPE_END_ELEMENT ||
            (type == XML_READER_TYPE_ELEMENT && xmlTextReaderIsEmptyElement(reader_.get()) == 1));
}

bool XmlStream::AtText() const {
    const int type = xmlTextReaderNodeType(reader_.get());
    return type == XML_READER_TYPE_TEXT || type == XML_READER_TYPE_CDATA ||
           type == XML_READER_TYPE_SIGNIFICANT_WHITESPACE;
}

std::string XmlStream::Attribute(const char* name) const {
    const std::unique_ptr<xmlChar, decltype(xmlFree)> value(
        xmlTextReaderGetAttribute(reader_.get(), BAD_CAST name), xmlFree);
    return value ? reinterpret_cast<const char*>(value.get()) : "";
}

std::string_view XmlStream::Text() const {
    const xmlChar* value = xmlTextReaderConstValue(reader_.get());
    return value != nullptr ? reinterpret_cast<const char*>(value) : "";
}

int XmlStream::Depth() const {
    return xmlTextReaderDepth(reader_.get());
}

}  // namespace velmora
