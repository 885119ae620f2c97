#pragma once
// The page of one song: epub/text/partNNNN.html, XHTML in UTF-8 with a byte-order mark.

#include <filesystem>
#include <string>
#include <string_view>

#include "text/message_sink.h"

namespace velmora {

// The page's file name: "part", the last four digits of "000" & n, ".html".
std::u16string PageFileName(int songNumber);

// The lyric with every carriage return replaced by "<br/>", line feeds kept.
std::u16string LyricWithBreaks(std::u16string_view lyric);

// Writes the page: the page template, then the body with name and lyric (as typed,
// XML-escaped here), re-encoded to UTF-8. A missing template is reported through
// `messages` and the page holds the body only. Raises a Failure when the page cannot be
// written; a half-written page is then removed.
void WriteSongPage(const std::filesystem::path& appDir, const std::filesystem::path& page,
                   std::u16string_view name, std::u16string_view lyric, MessageSink& messages);

}  // namespace velmora
