#include "workspace/song_page.h"

#include <algorithm>
#include <charconv>

#include "text/text_files.h"
#include "text/xml_text.h"

namespace velmora {

std::string PageFileName(int pageNumber) {
    const std::string digits = std::to_string(pageNumber);
    std::string name = "part";
    name.append(digits.size() < 4 ? 4 - digits.size() : 0, '0').append(digits).append(".html");
    return name;
}

std::optional<int> PageNumberOf(std::string_view fileName) {
    constexpr std::string_view kStart = "part";
    constexpr std::string_view kEnd = ".html";
    if (fileName.size() < kStart.size() + kEnd.size() || !fileName.starts_with(kStart) ||
        !fileName.ends_with(kEnd)) {
        return std::nullopt;
    }
    const std::string_view digits =
        fileName.substr(kStart.size(), fileName.size() - kStart.size() - kEnd.size());
    // Four digits at least, and no zero in front of more.
    if (digits.size() < 4 || (digits.size() > 4 && digits.front() == '0') ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int page = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), page);
    return error == std::errc() ? std::optional(page) : std::nullopt;
}

std::string PageHead(std::u16string_view templateLine) {
    return Utf8Document(templateLine);
}

// The head is made once for all pages; the body goes straight into UTF-8, as every add
// composes one.
std::string ComposeSongPage(std::string_view head, const Song& song) {
    std::string page(head);
    page.reserve(
        head.size() +
        3 * (song.name.size() + song.artist.size() + song.credits.size() + song.lyric.size()) +
        320);
    page += "\t<body class=\"\">\r\n\t\t<h2 class=\"\">";
    AppendXml(page, song.name);
    page += "</h2>\r\n";
    // Styled here: the page template, whose style sheet names no artist, stays as it is.
    if (!song.artist.empty()) {
        page += "\t\t<h3 class=\"artist\" style=\"text-align: center; font-weight: normal;\">";
        AppendXml(page, song.artist);
        page += "</h3>\r\n";
    }
    // Small under the artist, its lines broken within the one block.
    if (!song.credits.empty()) {
        page += "\t\t<div class=\"credits\" style=\"text-align: center; font-size: small;\">";
        std::u16string_view credits = song.credits;
        for (std::size_t end; (end = credits.find(u"\r\n")) != std::u16string_view::npos;
             credits.remove_prefix(end + 2)) {
            AppendXml(page, credits.substr(0, end));
            page += "<br/>";
        }
        AppendXml(page, credits);
        page += "</div>\r\n";
    }
    // Escaped as it goes in, the breaks marked: a "<br/>" typed by the user stays text.
    page += "\t\t<p class=\"\">";
    AppendXml(page, song.lyric, XmlPlace::Lines);
    page += "</p>\r\n\t</body> \r\n</html> \r\n";
    return page;
}

}  // namespace velmora
