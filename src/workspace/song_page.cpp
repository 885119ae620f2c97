#include "workspace/song_page.h"

#include "text/code_page.h"
#include "text/line_printer.h"
#include "text/text_files.h"

#include "text/xml_text.h"

namespace velmora {

std::u16string PageFileName(int pageNumber) {
    const std::u16string digits = Decimal(pageNumber);
    return u"part" + std::u16string(digits.size() < 4 ? 4 - digits.size() : 0, u'0') + digits +
           u".html";
}

std::u16string LyricWithBreaks(std::u16string_view lyric) {
    std::u16string marked;
    marked.reserve(lyric.size() + 64);
    std::size_t start = 0;
    for (std::size_t cr = lyric.find(u'\r'); cr != std::u16string_view::npos;
         cr = lyric.find(u'\r', start)) {
        marked.append(lyric.substr(start, cr - start)).append(u"<br/>");
        start = cr + 1;
    }
    return marked.append(lyric.substr(start));
}

std::string PageHead(std::u16string_view templateLine) {
    return Utf8Document(templateLine);
}

// The head is made once for all pages: only the body is converted a page.
std::string ComposeSongPage(std::string_view head, const Song& song) {
    LinePrinter body;
    body.line(u"<body class=\"\">", 1).line(u"<h2 class=\"\">" + XmlText(song.name) + u"</h2>", 2);
    // Styled here: the page template, whose style sheet names no artist, stays as it is.
    if (!song.artist.empty()) {
        body.line(u"<h3 class=\"artist\" style=\"text-align: center; font-weight: normal;\">" +
                      XmlText(song.artist) + u"</h3>",
                  2);
    }
    // Escape first, then mark the breaks: a "<br/>" typed by the user stays text.
    body.line(u"<p class=\"\">" + LyricWithBreaks(XmlText(song.lyric)) + u"</p>", 2)
        .line(u"</body> ", 1)
        .line(u"</html> ", 0);
    return std::string(head) + codepage::ToUtf8(body.text());
}

}  // namespace velmora
