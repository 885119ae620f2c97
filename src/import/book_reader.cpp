#include "import/book_reader.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <map>
#include <memory>
#include <string>

#include "import/zip_archive.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "text/limits.h"

namespace velmora {
namespace {

using XmlDocument = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;

XmlDocument Parse(const std::map<std::string, std::string>& entries, const std::string& name) {
    const auto entry = entries.find(name);
    if (entry == entries.end()) {
        throw Failure(Problem::MissingEntry, {}, 0, name);
    }
    XmlDocument document(
        xmlReadMemory(entry->second.data(), static_cast<int>(entry->second.size()), nullptr,
                      nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
        xmlFreeDoc);
    if (!document) {
        throw Failure(Problem::NotXml, {}, 0, name);
    }
    return document;
}

bool Named(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE && xmlStrEqual(node->name, BAD_CAST name);
}

// Every element of that name below `node`, in document order.
std::vector<xmlNode*> Elements(xmlNode* node, const char* name) {
    std::vector<xmlNode*> found;
    for (xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (Named(child, name)) {
            found.push_back(child);
        }
        const std::vector<xmlNode*> inner = Elements(child, name);
        found.insert(found.end(), inner.begin(), inner.end());
    }
    return found;
}

std::string Attribute(xmlNode* node, const char* name) {
    const std::unique_ptr<xmlChar, decltype(xmlFree)> value(xmlGetProp(node, BAD_CAST name),
                                                            xmlFree);
    return value ? reinterpret_cast<const char*>(value.get()) : "";
}

// The element's text; each <br/> is the carriage return it stood for.
std::u16string Text(xmlNode* element) {
    std::string utf8;
    for (xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (child->type == XML_TEXT_NODE) {
            utf8 += reinterpret_cast<const char*>(child->content);
        } else if (Named(child, "br")) {
            utf8 += '\r';
        }
    }
    return codepage::FromUtf8(utf8);
}

std::u16string MetadataText(xmlNode* root, const char* name) {
    const std::vector<xmlNode*> found = Elements(root, name);
    return found.empty() ? u"" : Text(found.front());
}

// A song page: its one heading is the name, its paragraphs the lyric's stanzas (a blank
// line between two); a subheading is the artist, and a block of class "credits" the credits.
Song ReadPage(const std::map<std::string, std::string>& entries, const std::string& href) {
    const XmlDocument page = Parse(entries, href);
    xmlNode* body = xmlDocGetRootElement(page.get());
    const std::vector<xmlNode*> names = Elements(body, "h2");
    const std::vector<xmlNode*> artists = Elements(body, "h3");
    std::vector<xmlNode*> credits = Elements(body, "div");
    std::erase_if(credits, [](xmlNode* div) { return Attribute(div, "class") != "credits"; });
    if (names.size() != 1 || artists.size() > 1 || credits.size() > 1) {
        throw Failure(Problem::NotSongPage, {}, 0, href);
    }
    std::u16string lyric;
    for (xmlNode* stanza : Elements(body, "p")) {
        lyric.append(lyric.empty() ? u"" : u"\r\r").append(Text(stanza));
    }
    return {Text(names.front()), WithCrLf(lyric),
            artists.empty() ? std::u16string() : Text(artists.front()),
            credits.empty() ? std::u16string() : WithCrLf(Text(credits.front()))};
}

// The songs' pages, not the cover, title, contents and index pages a named book opens with.
bool IsSongPage(std::string_view href) {
    return href.starts_with("text/") || href.starts_with("songs/");
}

}  // namespace

Book ReadBook(std::string_view epub, const std::function<bool()>& going) {
    std::map<std::string, std::string> entries = ZipEntries(epub, kLargestBook);
    if (!entries.contains("content.opf")) {
        throw Failure(Problem::ForeignBook);
    }
    const XmlDocument package = Parse(entries, "content.opf");
    xmlNode* root = xmlDocGetRootElement(package.get());
    if (MetadataText(root, "source") != u"Velmora" ||
        MetadataText(root, "contributor") != u"Velmora") {
        throw Failure(Problem::ForeignBook);
    }
    Book book{MetadataText(root, "title"),
              MetadataText(root, "creator"),
              std::move(entries["cover.jpeg"]),
              {},
              MetadataText(root, "date")};
    std::map<std::string, std::string> hrefs;
    for (xmlNode* item : Elements(root, "item")) {
        hrefs[Attribute(item, "id")] = Attribute(item, "href");
    }
    std::vector<std::string> pages;
    for (xmlNode* itemref : Elements(root, "itemref")) {
        std::string href = hrefs[Attribute(itemref, "idref")];
        if (IsSongPage(href)) {
            pages.push_back(std::move(href));
        }
    }
    // Counted before any page is read: a spine can name one page a million times.
    if (pages.size() > static_cast<std::size_t>(kMaxSongs)) {
        throw Failure(Problem::TooManyPages);
    }
    std::map<std::string, Song> read;
    for (const std::string& href : pages) {
        if (going && !going()) {
            throw Failure(Problem::Stopped);
        }
        auto [page, unread] = read.try_emplace(href);
        if (unread) {
            page->second = ReadPage(entries, href);
        }
        book.songs.push_back(page->second);
    }
    return book;
}

}  // namespace velmora
