#include "workspace/song_page.h"

#include "text/lines.h"
#include "text/xml_text.h"
#include "workspace/song_collection.h"

namespace velmora {

std::u16string PageFileName(int songNumber) {
    const std::u16string padded = u"000" + Decimal(songNumber);
    return u"part" + padded.substr(padded.size() - 4) + u".html";
}

std::u16string ComposeSongPage(std::u16string_view templateLine, std::u16string_view name,
                               std::u16string_view lyric) {
    // Escape first, then mark the breaks: a "<br/>" typed by the user stays text.
    std::u16string page(templateLine);
    page += Lines()
                .line(u"<body class=\"\">", 1)
                .line(u"<h2 class=\"\">" + XmlText(name) + u"</h2>", 2)
                .line(u"<p class=\"\">" + LyricWithBreaks(XmlText(lyric)) + u"</p>", 2)
                .line(u"</body> ", 1)
                .line(u"</html> ", 0)
                .text();
    return page;
}

}  // namespace velmora
