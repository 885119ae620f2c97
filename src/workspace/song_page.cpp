#include "workspace/song_page.h"

#include "text/lines.h"
#include "text/template_copy.h"
#include "text/text_files.h"
#include "text/xml_text.h"

namespace velmora {

std::u16string PageFileName(int songNumber) {
    const std::u16string padded = u"000" + Decimal(songNumber);
    return u"part" + padded.substr(padded.size() - 4) + u".html";
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

void WriteSongPage(const std::filesystem::path& appDir, const std::filesystem::path& page,
                   std::u16string_view name, std::u16string_view lyric, MessageSink& messages) {
    // The page as template copy, line printing and re-encoding would leave it, made in
    // memory and written once: a page is never seen half-made.
    std::u16string text = TemplateLine(appDir / "template" / "text" / "part0000.html", messages);
    // Escape first, then mark the breaks: a "<br/>" typed by the user stays text.
    text += Lines()
                .line(u"<body class=\"\">", 1)
                .line(u"<h2 class=\"\">" + XmlText(name) + u"</h2>", 2)
                .line(u"<p class=\"\">" + LyricWithBreaks(XmlText(lyric)) + u"</p>", 2)
                .line(u"</body> ", 1)
                .line(u"</html> ", 0)
                .text();
    try {
        SaveUtf8File(page, text);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(page, ignored);
        throw;
    }
}

}  // namespace velmora
