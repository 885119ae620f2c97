#include "epub/navigation_document.h"

#include "epub/book_pages.h"
#include "epub/book_words.h"
#include "epub/package_document.h"
#include "text/code_page.h"
#include "text/line_printer.h"
#include "text/template_copy.h"
#include "text/text_files.h"
#include "text/xml_text.h"

namespace velmora {
namespace {

void PrintPoint(LinePrinter& out, std::string_view id, std::string_view order,
                std::string_view label, std::string_view source) {
    out.line({"<navPoint class=\"chapter\" id= \"", id, "\" playOrder = \"", order, "\" > "}, 2)
        .line("<navLabel>", 3)
        .line({"<text>", label, "</text>"}, 4)
        .line("</navLabel>", 3)
        .line({"<content src=\"", source, "\"/>"}, 3)
        .line("</navPoint>", 2);
}

}  // namespace

std::u16string EntryLabel(const Song& song) {
    return song.artist.empty() ? song.name : song.name + u"（" + song.artist + u"）";
}

std::string ComposeNavigationDocument(std::u16string_view templateLine, const SongCollection& songs,
                                      const BookInfo& book) {
    const std::string title = Xml(book.title);
    // About 190 bytes a song besides its name.
    LinePrinter out(Utf8Document(WithBookUuid(templateLine, book)),
                    1024 + 256 * static_cast<std::size_t>(songs.SongCount()));
    out.line("<docTitle>", 1)
        .line({"<text>", title, "</text>"}, 2)
        .line("</docTitle>", 1)
        .line("<navMap>", 1);
    int order = 0;
    if (!book.IsDefault()) {
        // The book's own contents page first, as readers' guidelines ask, then the index.
        const BookWords& words = WordsOf(book.script);
        PrintPoint(out, "contents", std::to_string(++order), codepage::ToUtf8(words.contents),
                   kContentsPage);
        if (HasArtistIndex(songs)) {
            PrintPoint(out, "artists", std::to_string(++order), codepage::ToUtf8(words.artists),
                       kArtistIndexPage);
        }
    }
    std::string label;
    for (int n = 1; n <= songs.SongCount(); ++n) {
        label.clear();
        AppendXml(label, EntryLabel(songs.At(n)));
        PrintPoint(out, "num_" + std::to_string(n), std::to_string(++order), label,
                   SongHref(songs, n, book));
    }
    if (order == 0) {
        PrintPoint(out, "titlepage", "1", title, "titlepage.xhtml");
    }
    out.line("</navMap>", 1).line("</ncx>", 0);
    return std::move(out).text();
}

void WriteNavigationDocument(const Workspace& run, const BookInfo& book) {
    const RunLayout& layout = run.Layout();
    SaveBytes(
        layout.Epub("toc.ncx"),
        ComposeNavigationDocument(TemplateLine(layout.Template("toc.ncx")), run.Songs(), book));
}

}  // namespace velmora
