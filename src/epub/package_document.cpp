#include "epub/package_document.h"

#include "text/line_printer.h"
#include "text/template_copy.h"
#include "text/text_files.h"
#include "text/xml_text.h"

namespace velmora {
namespace {

void PrintMetadata(LinePrinter& out, std::int64_t stamp) {
    out.line(u"<dc:title>我的歌词本</dc:title>", 2)
        .line(u"<dc:creator opf:role=\"aut\" opf:file-as=\"Velmora\">Velmora</dc:creator>", 2)
        .line(u"<dc:description>Lyric Book</dc:description >", 2)
        .line(u"<dc:contributor>Velmora</dc:contributor>", 2)
        .line(u"<dc:type>[type]</dc:type>", 2)
        .line(u"<dc:format></dc:format>", 2)
        .line(u"<dc:identifier></dc:identifier>", 2)
        .line(u"<dc:source>Velmora</dc:source>", 2)
        .line(u"<dc:relation></dc:relation>", 2)
        .line(u"<dc:coverage></dc:coverage>", 2)
        .line(u"<dc:rights>本歌词本由Velmora制作生成。</dc:rights>", 2)
        .line(u"<dc:x-metadata></dc:x-metadata>", 2)
        .line(u"<dc:subject>Lyric Book</dc:subject>", 2)
        .line(u"<dc:date>" + Decimal(stamp) + u"</dc:date>", 2)
        .line(u"<dc:language>zh-CN</dc:language>", 2)
        .line(
            u"<dc:identifier  opf:scheme=\"calibre\">1b093574-31e1-45ea-a016-29e9e6ca3338   "
            u"</dc:identifier>",
            2)
        .line(u"<meta name=\"calibre:title_sort\" content = \"我的歌词本\"/>", 2)
        .line(
            u"<meta name=\"calibre:author_link_map\" "
            u"content=\"{&quot;Velmora&quot;: &quot;&quot;}\"/>",
            2)
        // The cover image's manifest id is "cover": a reference to "cover-image" finds nothing.
        .line(u"<meta name=\"cover\" content=\"cover\"/>", 2)
        .line(u"</metadata>", 1);
}

void PrintManifest(LinePrinter& out, const SongCollection& songs) {
    out.line(u"<manifest>", 1)
        .line(u"<item href=\"cover.jpeg\" id=\"cover\" media-type=\"image/jpeg\"/>", 2)
        .line(
            u"<item href=\"titlepage.xhtml\" id=\"titlepage\" "
            u"media-type=\"application/xhtml+xml\"/>",
            2);
    for (int n = 1; n <= songs.SongCount(); ++n) {
        out.line(u"<item href=\"" + PageHref(songs, n) + u"\" id=\"id" + Decimal(n) +
                     u"\" media-type=\"application/xhtml+xml\"/>",
                 2);
    }
    out.line(u"<item href=\"toc.ncx\" id=\"toc\" media-type=\"application/x-dtbncx+xml\"/>", 2)
        .line(u"</manifest>", 1);
}

void PrintSpineAndGuide(LinePrinter& out, const SongCollection& songs) {
    out.line(u"<spine toc=\"toc\">", 1).line(u"<itemref idref=\"titlepage\"/>", 2);
    for (int n = 1; n <= songs.SongCount(); ++n) {
        out.line(u"<itemref idref=\"id" + Decimal(n) + u"\"/>", 2);
    }
    out.line(u"</spine>", 1)
        .line(u"<guide>", 1)
        .line(u"<reference href=\"titlepage.xhtml\" title=\"cover\" type=\"cover\"/>", 2)
        .line(u"</guide>", 1)
        .line(u"<tour>", 1)
        .line(u"</tour>", 1)
        .line(u"</package>", 0);
}

}  // namespace

std::u16string ComposePackageDocument(std::u16string_view templateLine, const SongCollection& songs,
                                      std::int64_t stamp) {
    LinePrinter out;
    PrintMetadata(out, stamp);
    PrintManifest(out, songs);
    PrintSpineAndGuide(out, songs);
    return std::u16string(templateLine) + out.text();
}

void WritePackageDocument(const Workspace& run, const Clock& clock) {
    const RunLayout& layout = run.Layout();
    SaveUtf8File(layout.Epub("content.opf"),
                 ComposePackageDocument(TemplateLine(layout.Template("content.opf")), run.Songs(),
                                        clock.LocalSeconds()));
}

std::u16string PageHref(const SongCollection& songs, int songNumber) {
    return u"text/" + songs.PageFileName(songNumber);
}

}  // namespace velmora
