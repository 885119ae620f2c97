#pragma once
// A song's page in a named book: its name as the page's title and heading, the artist and
// the credits under it, and the lyric in stanzas.

#include <string>
#include <string_view>
#include <vector>

#include "workspace/song.h"

#include "text/script_conversion.h"

namespace velmora {

// The lyric's stanzas, each its lines: a blank line (or one of blanks only) ends a stanza,
// several in a row count as one, and none make a stanza of their own at the start or end.
std::vector<std::vector<std::u16string_view>> Stanzas(std::u16string_view lyric);

// The page's bytes: each stanza a paragraph, its lines kept apart by line breaks.
std::string ComposeLyricPage(const Song& song, Script script);

}  // namespace velmora
