#pragma once
// The page of one song: epub/text/partNNNN.html, XHTML in UTF-8 with a byte-order mark.

#include <string>
#include <string_view>

namespace velmora {

// The page's file name: "part", the last four digits of "000" & n, ".html".
std::u16string PageFileName(int songNumber);

// The page's text: the page template's line, then the body with name and lyric (as typed,
// XML-escaped here, each carriage return of the lyric a line break).
std::u16string ComposeSongPage(std::u16string_view templateLine, std::u16string_view name,
                               std::u16string_view lyric);

}  // namespace velmora
