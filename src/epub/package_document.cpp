#include "epub/package_document.h"

#include <ctime>

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
    const std::time_t moment = static_cast<std::time_t>(utc);
    std::tm parts{};
    gmtime_r(&moment, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
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

void PrintMetadata(LinePrinter& out, BuildTime time, const BookInfo& book) {
    const bool named = !book.IsDefault();
    const bool author = !book.author.empty();
    const std::string calibre = named ? CalibreUuid(book) : "1b093574-31e1-45ea-a016-29e9e6ca3338";
    out.line({"<dc:title>", Xml(book.title), "</dc:title>"}, 2);
    if (author) {
        out.line({"<dc:creator opf:role=\"aut\" opf:file-as=\"",
                  Xml(book.author, XmlPlace::Attribute), "\">", Xml(book.author), "</dc:creator>"},
                 2);
    }
    out.line("<dc:description>Lyric Book</dc:description >", 2)
        .line("<dc:contributor>Velmora</dc:contributor>", 2)
        .line("<dc:type>[type]</dc:type>", 2)
        .line("<dc:format></dc:format>", 2);
    if (!named) {
        out.line("<dc:identifier></dc:identifier>", 2);
    }
    out.line("<dc:source>Velmora</dc:source>", 2)
        .line("<dc:relation></dc:relation>", 2)
        .line("<dc:coverage></dc:coverage>", 2)
        .line(codepage::ToUtf8(u"<dc:rights>本歌词本由Velmora制作生成。</dc:rights>"), 2);
    if (!named) {
        out.line("<dc:x-metadata></dc:x-metadata>", 2);
    }
    out.line("<dc:subject>Lyric Book</dc:subject>", 2)
        .line({"<dc:date>", named ? W3cDate(time.utc) : std::to_string(time.local), "</dc:date>"},
              2)
        .line("<dc:language>zh-CN</dc:language>", 2)
        .line({"<dc:identifier  opf:scheme=\"calibre\">", calibre, "   </dc:identifier>"}, 2)
        .line({"<meta name=\"calibre:title_sort\" content = \"",
               Xml(book.title, XmlPlace::Attribute), "\"/>"},
              2);
    if (author) {
        out.line({"<meta name=\"calibre:author_link_map\" content=\"{&quot;",
                  Xml(JsonText(book.author), XmlPlace::Attribute), "&quot;: &quot;&quot;}\"/>"},
                 2);
    }
    // The cover image's manifest id is "cover": a reference to "cover-image" finds nothing.
    out.line("<meta name=\"cover\" content=\"cover\"/>", 2).line("</metadata>", 1);
}

void PrintManifest(LinePrinter& out, const SongCollection& songs) {
    out.line("<manifest>", 1)
        .line("<item href=\"cover.jpeg\" id=\"cover\" media-type=\"image/jpeg\"/>", 2)
        .line(
            "<item href=\"titlepage.xhtml\" id=\"titlepage\" "
            "media-type=\"application/xhtml+xml\"/>",
            2);
    for (int n = 1; n <= songs.SongCount(); ++n) {
        out.line({"<item href=\"", PageHref(songs, n), "\" id=\"id", std::to_string(n),
                  "\" media-type=\"application/xhtml+xml\"/>"},
                 2);
    }
    out.line("<item href=\"toc.ncx\" id=\"toc\" media-type=\"application/x-dtbncx+xml\"/>", 2)
        .line("</manifest>", 1);
}

void PrintSpineAndGuide(LinePrinter& out, const SongCollection& songs, bool named) {
    out.line("<spine toc=\"toc\">", 1).line("<itemref idref=\"titlepage\"/>", 2);
    for (int n = 1; n <= songs.SongCount(); ++n) {
        out.line({"<itemref idref=\"id", std::to_string(n), "\"/>"}, 2);
    }
    out.line("</spine>", 1)
        .line("<guide>", 1)
        .line("<reference href=\"titlepage.xhtml\" title=\"cover\" type=\"cover\"/>", 2)
        .line("</guide>", 1);
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
    PrintMetadata(out, time, book);
    PrintManifest(out, songs);
    PrintSpineAndGuide(out, songs, !book.IsDefault());
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
