#pragma once
// The page of one song: epub/text/partNNNN.html, XHTML in UTF-8 with a byte-order mark.

#include <optional>
#include <string>
#include <string_view>

#include "workspace/song.h"

namespace velmora {

// Page k's file name: "part", k in at least four digits, ".html".
std::string PageFileName(int pageNumber);
// The page number of a file name PageFileName gives; nothing for any other name.
std::optional<int> PageNumberOf(std::string_view fileName);

// The bytes every page starts with: a byte-order mark and the page template's line in UTF-8.
std::string PageHead(std::u16string_view templateLine);

// The page's bytes: the head, then the body with the name, the artist under it when there is
// one, the credits in small type under those when there are any (a "<br/>" between lines), and
// the lyric (as typed, XML-escaped here, each carriage return of the lyric a line
// break), in UTF-8.
std::string ComposeSongPage(std::string_view head, const Song& song);

}  // namespace velmora
