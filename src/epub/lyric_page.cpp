#include "epub/lyric_page.h"

#include <algorithm>

#include "epub/book_words.h"
#include "epub/page_markup.h"
#include "text/xml_text.h"

namespace velmora {
namespace {

bool IsBlank(std::u16string_view line) {
    return std::all_of(line.begin(), line.end(), [](char16_t c) {
        return c == u' ' || c == u'\t' || c == u'\u3000' || c == u'\r' || c == u'\n';
    });
}

// The lines one after the other, a line break between two.
void AppendLines(std::string& out, const std::vector<std::vector<std::u16string_view>>& groups) {
    bool first = true;
    for (const auto& lines : groups) {
        for (const std::u16string_view line : lines) {
            out += first ? "" : "<br/>";
            AppendXml(out, line);
            first = false;
        }
    }
}

}  // namespace

std::vector<std::vector<std::u16string_view>> Stanzas(std::u16string_view lyric) {
    std::vector<std::vector<std::u16string_view>> stanzas;
    bool open = false;
    while (!lyric.empty()) {
        const std::size_t end = std::min(lyric.find_first_of(u"\r\n"), lyric.size());
        const std::u16string_view line = lyric.substr(0, end);
        // CR LF, CR or LF: each ends one line.
        lyric.remove_prefix(
            std::min(lyric.size(), end + (lyric.substr(end, 2) == u"\r\n" ? 2 : 1)));
        if (IsBlank(line)) {
            open = false;
            continue;
        }
        if (!open) {
            stanzas.emplace_back();
            open = true;
        }
        stanzas.back().push_back(line);
    }
    return stanzas;
}

std::string ComposeLyricPage(const Song& song, Script script) {
    std::string body = "<h2>";
    AppendXml(body, song.name);
    body += "</h2>\n";
    if (!song.artist.empty()) {
        body += "<h3 class=\"artist\">";
        AppendXml(body, song.artist);
        body += "</h3>\n";
    }
    if (!song.credits.empty()) {
        body += "<div class=\"credits\">";
        AppendLines(body, Stanzas(song.credits));
        body += "</div>\n";
    }
    for (const auto& stanza : Stanzas(song.lyric)) {
        body += "<p class=\"stanza\">";
        AppendLines(body, {stanza});
        body += "</p>\n";
    }
    return XhtmlPage(song.name, "song", body, "../", WordsOf(script).language);
}

}  // namespace velmora
