#pragma once
// One song as the user gave it.

#include <string>

namespace velmora {

struct Song {
    std::u16string name;
    std::u16string lyric;        // lines end in CR LF, as the lyric box gives them
    std::u16string artist = {};  // empty: none known
    // Who wrote and made it ("词：…", "曲：…"), its lines joined by CR LF; empty: none known.
    std::u16string credits = {};

    auto operator<=>(const Song&) const = default;
};

}  // namespace velmora
