#include "epub/package_document.h"

#include <chrono>
#include <cstdio>

#include "epub/book_pages.h"
#include "epub/book_words.h"
#include "text/code_page.h"
#include "text/line_printer.h"
#include "text/template_copy.h"
#include "text/text_files.h"
#include "text/xml_text.h"
#include "workspace/song_page.h"

namespace velmora {
namespace {

// "2026-12-07T08:30:00Z"
std::string W3cDate(std::int64_t utc) {
    using namespace std::chrono;
    const sys_seconds moment{seconds(utc)};
    const auto day = floor<days>(moment);
    const year_month_day date(day);
    const hh_mm_ss time(moment - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return text;
}

// A JSON string's content: quotes and backslashes escaped, control characters as \uXXXX.
std::u16string JsonText(std::u16string_view text) {
    std::u16string escaped;
    for (const char16_t unit : text) {
        if (unit == u'"' || unit == u'\\') {
            escaped.append(1, u'\\').append(1, unit);
        } else if (unit < 0x20) {
            const char16_t digits[] = u"0123456789abcdef";
            escaped.append(u"\\u00").append(1, digits[unit >> 4]).append(1, digits[unit & 15]);
        } else {
            escaped.append(1, unit);
        }
    }
    return escaped;
}

void PrintAuthor(LinePrinter& out, const BookInfo& book) {
    if (!book.author.empty()) {
        out.line({"<dc:creator opf:role=\"aut\" opf:file-as=\"",
                  Xml(book.author, XmlPlace::Attribute), "\">", Xml(book.author), "</dc:creator>"},
                 2);
    }
}

// The title's sort key, the author's link and the cover's id, as calibre reads them.
void PrintCalibreMeta(LinePrinter& out, const BookInfo& book) {
    out.line({"<meta name=\"calibre:title_sort\" content = \"",
              Xml(book.title, XmlPlace::Attribute), "\"/>"},
             2);
    if (!book.author.empty()) {
        out.line({"<meta name=\"calibre:author_link_map\" content=\"{&quot;",
                  Xml(JsonText(book.author), XmlPlace::Attribute), "&quot;: &quot;&quot;}\"/>"},
                 2);
    }
    // The cover image's manifest id is "cover": a reference to "cover-image" finds nothing.
    out.line("<meta name=\"cover\" content=\"cover\"/>", 2).line("</metadata>", 1);
}

// The lines every book made before books had names carries, as they always were.
void PrintDefaultMetadata(LinePrinter& out, BuildTime time, const BookInfo& book) {
    out.line({"<dc:title>", Xml(book.title), "</dc:title>"}, 2);
    PrintAuthor(out, book);
    out.line("<dc:description>Lyric Book</dc:description >", 2)
        .line("<dc:contributor>Velmora</dc:contributor>", 2)
        .line("<dc:type>[type]</dc:type>", 2)
        .line("<dc:format></dc:format>", 2)
        .line("<dc:identifier></dc:identifier>", 2)
        .line("<dc:source>Velmora</dc:source>", 2)
        .line("<dc:relation></dc:relation>", 2)
        .line("<dc:coverage></dc:coverage>", 2)
        .line(codepage::ToUtf8(u"<dc:rights>本歌词本由Velmora制作生成。</dc:rights>"), 2)
        .line("<dc:x-metadata></dc:x-metadata>", 2)
        .line("<dc:subject>Lyric Book</dc:subject>", 2)
        .line({"<dc:date>", std::to_string(time.local), "</dc:date>"}, 2)
        .line("<dc:language>zh-CN</dc:language>", 2)
        .line(
            "<dc:identifier  opf:scheme=\"calibre\">1b093574-31e1-45ea-a016-29e9e6ca3338   "
            "</dc:identifier>",
            2);
    PrintCalibreMeta(out, book);
}

// A named book's: nothing empty, its description in its own words, the program as its
// producer (the source and contributor also tell a book of ours when it comes back).
void PrintNamedMetadata(LinePrinter& out, BuildTime time, const BookInfo& book, int songs) {
    out.line({"<dc:title>", Xml(book.title), "</dc:title>"}, 2);
    PrintAuthor(out, book);
    const BookWords& words = WordsOf(book.script);
    out.line({"<dc:description>", Filled(words.description, {songs}), "</dc:description>"}, 2)
        .line("<dc:contributor opf:role=\"bkp\">Velmora</dc:contributor>", 2)
        .line("<dc:source>Velmora</dc:source>", 2)
        .line({"<dc:subject>", codepage::ToUtf8(words.subject), "</dc:subject>"}, 2)
        .line({"<dc:date>", W3cDate(time.utc), "</dc:date>"}, 2)
        .line({"<dc:language>", words.language, "</dc:language>"}, 2)
        .line({"<dc:identifier opf:scheme=\"calibre\">", CalibreUuid(book), "</dc:identifier>"}, 2);
    PrintCalibreMeta(out, book);
}

void PrintItem(LinePrinter& out, std::string_view href, std::string_view id,
               std::string_view type = "application/xhtml+xml") {
    out.line({"<item href=\"", href, "\" id=\"", id, "\" media-type=\"", type, "\"/>"}, 2);
}

void PrintManifest(LinePrinter& out, const SongCollection& songs, const BookInfo& book) {
    out.line("<manifest>", 1);
    PrintItem(out, "cover.jpeg", "cover", "image/jpeg");
    PrintItem(out, "titlepage.xhtml", "titlepage");
    if (!book.IsDefault()) {
        PrintItem(out, kStyleSheet, "style", "text/css");
        for (const FrontPage& page : FrontPages(songs)) {
            PrintItem(out, page.href, page.id);
        }
    }
    for (int n = 1; n <= songs.SongCount(); ++n) {
        PrintItem(out, SongHref(songs, n, book), "id" + std::to_string(n));
    }
    PrintItem(out, "toc.ncx", "toc", "application/x-dtbncx+xml");
    out.line("</manifest>", 1);
}

void PrintReference(LinePrinter& out, std::string_view href, std::u16string_view title,
                    std::string_view type) {
    out.line({"<reference href=\"", href, "\" title=\"", codepage::ToUtf8(title), "\" type=\"",
              type, "\"/>"},
             2);
}

void PrintSpineAndGuide(LinePrinter& out, const SongCollection& songs, const BookInfo& book) {
    const bool named = !book.IsDefault();
    out.line("<spine toc=\"toc\">", 1).line("<itemref idref=\"titlepage\"/>", 2);
    if (named) {
        for (const FrontPage& page : FrontPages(songs)) {
            out.line({"<itemref idref=\"", page.id, "\"/>"}, 2);
        }
    }
    for (int n = 1; n <= songs.SongCount(); ++n) {
        out.line({"<itemref idref=\"id", std::to_string(n), "\"/>"}, 2);
    }
    out.line("</spine>", 1).line("<guide>", 1);
    PrintReference(out, "titlepage.xhtml", u"cover", "cover");
    if (named) {
        const BookWords& words = WordsOf(book.script);
        PrintReference(out, "title.xhtml", words.titlePage, "title-page");
        PrintReference(out, kContentsPage, words.contents, "toc");
    }
    out.line("</guide>", 1);
    if (!named) {
        out.line("<tour>", 1).line("</tour>", 1);
    }
    out.line("</package>", 0);
}

}  // namespace

std::u16string WithBookUuid(std::u16string_view templateLine, const BookInfo& book) {
    std::u16string line(templateLine);
    constexpr std::u16string_view kUrn = u"urn:uuid:";
    constexpr std::size_t kUuidLength = 36;
    const std::size_t at = line.find(kUrn);
    if (book.IsDefault() || at == std::u16string::npos) {
        return line;
    }
    return line.replace(at + kUrn.size(), kUuidLength, codepage::FromUtf8(BookUuid(book)));
}

std::string ComposePackageDocument(std::u16string_view templateLine, const SongCollection& songs,
                                   BuildTime time, const BookInfo& book) {
    // About 110 bytes a song, in the manifest and the spine.
    LinePrinter out(Utf8Document(WithBookUuid(templateLine, book)),
                    2048 + 128 * static_cast<std::size_t>(songs.SongCount()));
    if (book.IsDefault()) {
        PrintDefaultMetadata(out, time, book);
    } else {
        PrintNamedMetadata(out, time, book, songs.SongCount());
    }
    PrintManifest(out, songs, book);
    PrintSpineAndGuide(out, songs, book);
    return std::move(out).text();
}

void WritePackageDocument(const Workspace& run, const Clock& clock, const BookInfo& book) {
    const RunLayout& layout = run.Layout();
    SaveBytes(layout.Epub("content.opf"),
              ComposePackageDocument(TemplateLine(layout.Template("content.opf")), run.Songs(),
                                     {clock.LocalSeconds(), clock.UtcSeconds()}, book));
}

std::string PageHref(const SongCollection& songs, int songNumber) {
    return "text/" + songs.PageFileName(songNumber);
}

}  // namespace velmora
