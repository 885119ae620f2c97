#include "epub/front_pages.h"

#include "epub/artist_index.h"
#include "epub/book_pages.h"
#include "epub/book_words.h"
#include "epub/page_markup.h"
#include "text/code_page.h"
#include "text/xml_text.h"

namespace velmora {
namespace {

std::string Utf8(std::u16string_view text) {
    return codepage::ToUtf8(text);
}

std::string Link(const SongCollection& songs, int n) {
    std::string link = "<a href=\"" + NamedSongHref(n) + "\">";
    AppendXml(link, songs.At(n).name);
    return link + "</a>";
}

}  // namespace

std::string ComposeCoverPage(int width, int height, Script script) {
    const std::string w = std::to_string(width), h = std::to_string(height);
    const BookWords& words = WordsOf(script);
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"" +
           std::string(words.language) +
           "\">\n<head>\n"
           "<meta http-equiv=\"Content-Type\" content=\"application/xhtml+xml; "
           "charset=utf-8\"/>\n<title>" +
           Utf8(words.cover) +
           "</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>\n"
           "</head>\n<body class=\"cover\">\n<div class=\"cover\">\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"100%\" "
           "height=\"100%\" viewBox=\"0 0 " +
           w + " " + h + "\" preserveAspectRatio=\"xMidYMid meet\">\n<image width=\"" + w +
           "\" height=\"" + h +
           "\" xlink:href=\"cover.jpeg\"/>\n</svg>\n</div>\n</body>\n</html>\n";
}

std::string ComposeTitlePage(const BookInfo& book, int songCount, std::int64_t localSeconds) {
    const BookWords& words = WordsOf(book.script);
    std::string body = "<h1>" + Xml(book.title) + "</h1>\n";
    if (!book.author.empty()) {
        body += "<p class=\"author\">" + Xml(book.author) + "</p>\n";
    }
    body += "<p class=\"count\">" + Filled(words.count, {songCount}) + "</p>\n<p class=\"date\">" +
            DayOf(localSeconds, words) + "</p>\n";
    return XhtmlPage(book.title, "title", body, "", words.language);
}

std::string ComposeContentsPage(const SongCollection& songs, Script script) {
    const BookWords& words = WordsOf(script);
    std::string body = "<h2>" + Utf8(words.contents) + "</h2>\n";
    body.reserve(body.size() + 96 * static_cast<std::size_t>(songs.SongCount()));
    for (int n = 1; n <= songs.SongCount(); ++n) {
        body += "<p class=\"entry\">" + Link(songs, n);
        if (!songs.At(n).artist.empty()) {
            body += Utf8(u" · ") + Xml(songs.At(n).artist);
        }
        body += "</p>\n";
    }
    return XhtmlPage(words.contents, "contents", body, "", words.language);
}

std::string ComposeArtistIndexPage(const SongCollection& songs, Script script) {
    const BookWords& words = WordsOf(script);
    std::string body = "<h2>" + Utf8(words.artists) + "</h2>\n";
    for (const IndexLetter& letter : ArtistIndex(songs)) {
        body += "<h3>" + Xml(letter.letter) + "</h3>\n";
        for (const IndexedArtist& artist : letter.artists) {
            body += "<p class=\"entry\">" + Xml(artist.name) + Utf8(u"：");
            for (std::size_t i = 0; i < artist.songs.size(); ++i) {
                body += (i == 0 ? "" : Utf8(u"、")) + Link(songs, artist.songs[i]);
            }
            body += "</p>\n";
        }
    }
    return XhtmlPage(words.artists, "index", body, "", words.language);
}

}  // namespace velmora
