#pragma once
// The run's workspace: the work directory under temp/ with its epub tree, the song log
// lyric.txt, and the song collection with each song's page.

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/clock.h"
#include "workspace/collection_view.h"
#include "workspace/run_layout.h"
#include "workspace/song_collection.h"

namespace velmora {

class Workspace {
public:
    // Page names have four digits: song 10000 would overwrite song 1's page.
    static constexpr std::int16_t kMaxSongs = 9999;

    Workspace(const std::filesystem::path& appDir, const Clock& clock, CollectionView& view);

    // Creates this run's work directory (temp/<start stamp>/, or <stamp>_2, _3, … when
    // taken) with its epub skeleton, the empty song log and container.xml; empties the
    // collection. Raises a Failure naming the path; a failed start leaves nothing behind.
    void ReadyToMake();

    // Adds one song: its page, its log record, its slots, its list entry; then empties the
    // input boxes. Empty input or a full book is refused with a message. All or nothing:
    // on a Failure the log, the pages, the tables, the list and the boxes stay as they were.
    void AddLyric(const std::u16string& songName, const std::u16string& lyric);

    // Re-creates whatever of the run's files has gone (folders, song log, container.xml,
    // pages) from the song tables, at one check per file. Raises a Failure.
    void Restore();

    const RunLayout& Layout() const { return layout_; }
    // Ends in a separator.
    const std::filesystem::path& WorkDir() const { return layout_.WorkDir(); }
    const SongCollection& Songs() const { return songs_; }

private:
    std::filesystem::path MakeWorkDir(std::int64_t stamp) const;
    void MakeTree() const;
    std::u16string PageTemplate() const;

    RunLayout layout_;
    const Clock& clock_;
    CollectionView& view_;
    SongCollection songs_;
};

}  // namespace velmora
