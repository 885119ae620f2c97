#pragma once
// The run's workspace and its song collection: the work directory under temp/, the song
// log lyric.txt, and the song tables, slot n for song n (slot 0 unused, one empty slot
// after the last song).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "workspace/clock.h"
#include "workspace/collection_view.h"

namespace velmora {

class Workspace {
public:
    // Page names have four digits: song 10000 would overwrite song 1's page.
    static constexpr std::int16_t kMaxSongs = 9999;

    Workspace(std::filesystem::path appDir, const Clock& clock, CollectionView& view);

    // Creates this run's work directory (temp/<start stamp>/, or <stamp>_2, _3, … when
    // taken) with its epub skeleton, the empty song log and container.xml; empties the
    // collection. Raises a Failure naming the path when the workspace cannot be made.
    void ReadyToMake();

    // Adds one song: its log record, its page, its slots, its list entry; then empties the
    // input boxes. Empty input or a full book is refused with a message. All or nothing:
    // on a Failure the log, the tables, the list and the boxes stay as they were.
    void AddLyric(const std::u16string& songName, const std::u16string& lyric);

    const std::filesystem::path& AppDir() const { return appDir_; }
    // Ends in a separator.
    const std::filesystem::path& WorkDir() const { return workDir_; }
    std::int16_t SongCount() const { return songCount_; }
    const std::vector<std::u16string>& SongNames() const { return songNames_; }
    const std::vector<std::u16string>& SongLyrics() const { return songLyrics_; }
    const std::vector<std::u16string>& SongPages() const { return songPages_; }

private:
    std::filesystem::path MakeWorkDir(std::int64_t stamp) const;
    std::filesystem::path PagePath(int songNumber) const;

    std::filesystem::path appDir_;
    const Clock& clock_;
    CollectionView& view_;

    std::filesystem::path workDir_;
    std::int16_t songCount_ = 0;
    std::vector<std::u16string> songNames_;
    std::vector<std::u16string> songLyrics_;
    std::vector<std::u16string> songPages_;
};

}  // namespace velmora
