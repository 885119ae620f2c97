#include "import/book_reader.h"

#include <map>
#include <string>

#include "import/xml_stream.h"
#include "import/zip_archive.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "text/limits.h"

namespace velmora {
namespace {

// A page holds a name, an artist, credits and a lyric of at most a lyric's length, each of
// its lines ended by an element; the package a few elements a song.
constexpr std::size_t kMostPageElements = kLongestLyric + 64;
constexpr std::size_t kMostPackageElements = 8 * kMaxSongs + 1024;

const std::string& Entry(const std::map<std::string, std::string>& entries,
                         const std::string& name) {
    const auto entry = entries.find(name);
    if (entry == entries.end()) {
        throw Failure(Problem::MissingEntry, {}, 0, name);
    }
    return entry->second;
}

// An element's text as it is read: its own text, and a carriage return for each <br/> it
// holds; the text of elements inside others is not its own. Held to a lyric's length.
class Collected {
public:
    Collected(const XmlStream& page, const char* element)
        : element_(element), depth_(page.Depth()) {}

    // Takes what belongs to the element; true once the element has ended.
    bool Take(const XmlStream& page) {
        if (page.AtEnd(element_) && page.Depth() == depth_) {
            return true;
        }
        if (page.Depth() == depth_ + 1) {
            if (page.AtText()) {
                utf8_ += page.Text();
            } else if (page.AtStart("br")) {
                utf8_ += '\r';
            }
        }
        // A lyric's length, were every character of it one byte.
        if (utf8_.size() > kLongestLyric * 3) {
            throw Failure(Problem::LyricTooLong);
        }
        return false;
    }
    std::u16string Text() const { return codepage::FromUtf8(utf8_); }

private:
    const char* element_;
    int depth_;
    std::string utf8_;
};

struct PageParts {
    std::vector<std::u16string> names, artists, credits, stanzas;
};

// Where the element at the stream's place goes, if anywhere: a song page's one heading is
// its name, a subheading its artist, a block of class "credits" its credits, its paragraphs
// its lyric's stanzas.
std::vector<std::u16string>* PartOf(const XmlStream& page, PageParts& parts, const char*& name) {
    if (page.AtStart("h2")) {
        return name = "h2", &parts.names;
    }
    if (page.AtStart("h3")) {
        return name = "h3", &parts.artists;
    }
    if (page.AtStart("p")) {
        return name = "p", &parts.stanzas;
    }
    if (page.AtStart("div") && page.Attribute("class") == "credits") {
        return name = "div", &parts.credits;
    }
    return nullptr;
}

PageParts ReadParts(const std::string& bytes, const std::string& href) {
    XmlStream page(bytes, href, kMostPageElements);
    PageParts parts;
    std::optional<Collected> open;
    std::vector<std::u16string>* part = nullptr;
    while (page.Next()) {
        const char* name = nullptr;
        if (open) {
            if (open->Take(page)) {
                part->push_back(open->Text());
                open.reset();
            }
        } else if ((part = PartOf(page, parts, name)) != nullptr) {
            open.emplace(page, name);
            if (open->Take(page)) {  // empty: it ends where it starts
                part->push_back(open->Text());
                open.reset();
            }
        }
    }
    return parts;
}

Song ReadPage(const std::map<std::string, std::string>& entries, const std::string& href) {
    const PageParts parts = ReadParts(Entry(entries, href), href);
    if (parts.names.size() != 1 || parts.artists.size() > 1 || parts.credits.size() > 1) {
        throw Failure(Problem::NotSongPage, {}, 0, href);
    }
    std::u16string lyric;
    for (const std::u16string& stanza : parts.stanzas) {
        lyric.append(lyric.empty() ? u"" : u"\r\r").append(stanza);
    }
    Song song{parts.names.front(), WithCrLf(lyric),
              parts.artists.empty() ? std::u16string() : parts.artists.front(),
              parts.credits.empty() ? std::u16string() : WithCrLf(parts.credits.front())};
    for (const std::u16string* field : {&song.name, &song.lyric, &song.artist, &song.credits}) {
        if (field->size() > kLongestLyric) {
            throw Failure(Problem::LyricTooLong);
        }
    }
    return song;
}

// The songs' pages, not the cover, title, contents and index pages a named book opens with.
bool IsSongPage(std::string_view href) {
    return href.starts_with("text/") || href.starts_with("songs/");
}

// What the package document says of the book, and its song pages in the spine's order.
struct Package {
    std::map<std::string, std::u16string> metadata;  // the first of each element's text
    std::vector<std::string> pages;
};

Package ReadPackage(const std::string& bytes) {
    XmlStream package(bytes, "content.opf", kMostPackageElements);
    Package read;
    std::map<std::string, std::string> hrefs;
    std::optional<Collected> open;
    std::string field;
    while (package.Next()) {
        if (open) {
            if (open->Take(package)) {
                read.metadata.try_emplace(field, open->Text());
                open.reset();
            }
            continue;
        }
        for (const char* name : {"title", "creator", "source", "contributor", "date"}) {
            if (package.AtStart(name)) {
                field = name;
                open.emplace(package, name);
            }
        }
        if (package.AtStart("item")) {
            hrefs[package.Attribute("id")] = package.Attribute("href");
        } else if (package.AtStart("itemref")) {
            std::string href = hrefs[package.Attribute("idref")];
            // Counted as they come: a spine can name one page a million times.
            if (IsSongPage(href) && read.pages.size() == static_cast<std::size_t>(kMaxSongs)) {
                throw Failure(Problem::TooManyPages);
            }
            if (IsSongPage(href)) {
                read.pages.push_back(std::move(href));
            }
        }
        if (open && open->Take(package)) {  // empty: it ends where it starts
            read.metadata.try_emplace(field, open->Text());
            open.reset();
        }
    }
    return read;
}

}  // namespace

Book ReadBook(std::string_view epub, const std::function<bool()>& going) {
    std::map<std::string, std::string> entries = ZipEntries(epub, kLargestBook);
    if (!entries.contains("content.opf")) {
        throw Failure(Problem::ForeignBook);
    }
    Package package = ReadPackage(entries["content.opf"]);
    if (package.metadata["source"] != u"Velmora" || package.metadata["contributor"] != u"Velmora") {
        throw Failure(Problem::ForeignBook);
    }
    Book book{package.metadata["title"],
              package.metadata["creator"],
              std::move(entries["cover.jpeg"]),
              {},
              package.metadata["date"]};
    std::map<std::string, Song> read;
    for (const std::string& href : package.pages) {
        if (going && !going()) {
            throw Failure(Problem::Stopped);
        }
        auto [page, unread] = read.try_emplace(href);
        if (unread) {
            page->second = ReadPage(entries, href);
            // Read once: its bytes are done with.
            entries.erase(href);
        }
        book.songs.push_back(page->second);
    }
    return book;
}

}  // namespace velmora
