#pragma once
// Songs brought in from files: lyric files (.lrc, .txt), books this program made (.epub) and
// audio files with lyrics in their tags (see audio_file.h), each song added as a typed one
// is. A file that cannot be used is skipped with its reason;
// the others still come in.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "import/book_reader.h"
#include "import/import_list.h"
#include "text/failure.h"
#include "workspace/workspace.h"

namespace velmora {

// What the window shows of an import while it runs.
class ImportProgress {
public:
    virtual ~ImportProgress() = default;
    // `done` of `total` files read; false when the user cancelled.
    virtual bool Going(std::size_t done, std::size_t total) = 0;
};

struct ImportReport {
    int songs = 0;
    // The title, author and cover of the first book brought in (no songs kept here).
    std::optional<Book> firstBook;
    // Each with the file it concerns as its path, and why it gave no songs.
    std::vector<Failure> skipped;
    bool cancelled = false;
    // Files that came in with bytes no character fits, each read as U+FFFD.
    std::vector<std::filesystem::path> misread;
    // Where the run's own files could not be written (a full disk), the import stopped:
    // why, and the files that did not come in, the one it was adding first.
    std::optional<Failure> unwritable;
    std::vector<std::filesystem::path> unwritten;
};

// Adds the songs of each file in turn (a lyric file beside an audio file: its lyric, and
// the name and artist it lacks from the audio file's tags; when it holds no lyric, the audio
// file's song), the whole import one change in the song log. Songs
// added before a cancel or a Failure (a page or the log that cannot be written) stay; the
// Failure is raised.
ImportReport Import(Workspace& run, const ImportList& list, ImportProgress& progress);

// One of our books, read back; raises a Failure naming the file when it is none.
Book ReadBookFile(const std::filesystem::path& file, const std::function<bool()>& going = {});

}  // namespace velmora
