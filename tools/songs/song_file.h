#pragma once
// Song lists for the benchmark and the tests: a JSON file holding a list of [name, lyric]
// pairs (lone surrogates may be written as \uD800 escapes), or songs made up
// deterministically from common Chinese characters.

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::songs {

struct Song {
    std::u16string name;
    std::u16string lyric;  // CR LF line breaks
};

// Raises std::runtime_error naming the place of a malformed file.
std::vector<Song> ReadSongFile(const std::filesystem::path& path);

// `count` songs of `lines` lines each; the same every time.
std::vector<Song> GenerateSongs(int count, int lines);

}  // namespace velmora::songs
