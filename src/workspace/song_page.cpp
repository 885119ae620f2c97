#include "workspace/song_page.h"

#include "text/line_printer.h"
#include "text/reencode.h"
#include "text/template_copy.h"
#include "text/xml_text.h"

namespace velmora {

std::u16string PageFileName(int songNumber) {
    const std::u16string padded = u"000" + Decimal(songNumber);
    return u"part" + padded.substr(padded.size() - 4) + u".html";
}

std::u16string LyricWithBreaks(std::u16string_view lyric) {
    std::u16string marked;
    marked.reserve(lyric.size() + lyric.size() / 8);
    for (const char16_t unit : lyric) {
        if (unit == u'\r') {
            marked += u"<br/>";
        } else {
            marked += unit;
        }
    }
    return marked;
}

void WriteSongPage(const std::filesystem::path& appDir, const std::filesystem::path& page,
                   std::u16string_view name, std::u16string_view lyric, MessageSink& messages) {
    // Escape first, then mark the breaks: a "<br/>" typed by the user stays text.
    const std::u16string body = LyricWithBreaks(XmlText(lyric));
    try {
        WritrFile(appDir / "template" / "text" / "part0000.html", page, messages);
        LinePrinter(page)
            .line(u"<body class=\"\">", 1)
            .line(u"<h2 class=\"\">" + XmlText(name) + u"</h2>", 2)
            .line(u"<p class=\"\">" + body + u"</p>", 2)
            .line(u"</body> ", 1)
            .line(u"</html> ", 0)
            .append();
        ReencodeToUtf8(page);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(page, ignored);
        throw;
    }
}

}  // namespace velmora
