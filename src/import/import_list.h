#pragma once
// What an import takes in: the files given, folders searched, in the order a file manager
// shows them, a lyric file and an audio file of one name paired as one song.

#include <filesystem>
#include <string>
#include <vector>

#include "text/failure.h"

namespace velmora {

// The file's extension, in lower case (".lrc").
std::string Extension(const std::filesystem::path& file);
bool IsLyricFile(const std::filesystem::path& file);
// A lyric file, a book or an audio file of a kind that is read.
bool IsImportable(const std::filesystem::path& file);

// A file that gives songs; for a lyric file, the audio file of its name in its folder, if
// one came too (歌名.lrc beside 歌名.mp3): the two are one song.
struct ImportSource {
    std::filesystem::path file;
    std::filesystem::path audio = {};
};

// The files to import: each file as given, each folder searched (and its folders) for
// .lrc, .txt, .epub and audio files, taken in natural name order (2.lrc before 10.lrc); a
// folder that cannot be read is skipped with its reason. Of the lyric and audio files of one
// folder and name, the first of each are one source, where the first of them was (in a
// folder 歌名.lrc comes before 歌名.txt).
struct ImportList {
    std::vector<ImportSource> files;
    std::vector<Failure> skipped;
};
ImportList ImportFiles(const std::vector<std::filesystem::path>& given);

}  // namespace velmora
