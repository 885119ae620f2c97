#include "epub/navigation_document.h"

#include "epub/package_document.h"
#include "text/line_printer.h"
#include "text/template_copy.h"
#include "text/text_files.h"
#include "text/xml_text.h"

namespace velmora {
namespace {

void PrintPoint(LinePrinter& out, std::u16string_view id, std::u16string_view order,
                std::u16string_view label, std::u16string_view source) {
    out.line({u"<navPoint class=\"chapter\" id= \"", id, u"\" playOrder = \"", order, u"\" > "}, 2)
        .line(u"<navLabel>", 3)
        .line({u"<text>", label, u"</text>"}, 4)
        .line(u"</navLabel>", 3)
        .line({u"<content src=\"", source, u"\"/>"}, 3)
        .line(u"</navPoint>", 2);
}

}  // namespace

std::u16string EntryLabel(const Song& song) {
    return song.artist.empty() ? song.name : song.name + u"（" + song.artist + u"）";
}

std::u16string ComposeNavigationDocument(std::u16string_view templateLine,
                                         const SongCollection& songs, const BookInfo& book) {
    const std::u16string title = XmlText(book.title);
    // About 190 units a song besides its name.
    LinePrinter out(WithBookUuid(templateLine, book),
                    1024 + 256 * static_cast<std::size_t>(songs.SongCount()));
    out.line(u"<docTitle>", 1)
        .line(u"<text>" + title + u"</text>", 2)
        .line(u"</docTitle>", 1)
        .line(u"<navMap>", 1);
    for (int n = 1; n <= songs.SongCount(); ++n) {
        const std::u16string id = u"num_" + Decimal(n);
        PrintPoint(out, id, std::u16string_view(id).substr(4), XmlText(EntryLabel(songs.At(n))),
                   PageHref(songs, n));
    }
    if (songs.SongCount() == 0) {
        PrintPoint(out, u"titlepage", u"1", title, u"titlepage.xhtml");
    }
    out.line(u"</navMap>", 1).line(u"</ncx>", 0);
    return std::move(out).text();
}

void WriteNavigationDocument(const Workspace& run, const BookInfo& book) {
    const RunLayout& layout = run.Layout();
    SaveUtf8File(
        layout.Epub("toc.ncx"),
        ComposeNavigationDocument(TemplateLine(layout.Template("toc.ncx")), run.Songs(), book));
}

}  // namespace velmora
