#include "workspace/workspace.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/file_system.h"

#include "text/failure.h"
#include "text/limits.h"
#include "text/template_copy.h"
#include "text/text_files.h"
#include "workspace/journal.h"
#include "workspace/page_hold.h"
#include "workspace/run_folders.h"
#include "workspace/song_page.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr char kContainer[] = "META-INF/container.xml";

bool Fits(const Song& song) {
    return std::max({song.name.size(), song.lyric.size(), song.artist.size(),
                     song.credits.size()}) <= kLongestLyric;
}

}  // namespace

Workspace::Workspace(const fs::path& appDir, const Clock& clock) : layout_(appDir), clock_(clock) {}

void Workspace::ReadyToMake() {
    songs_ = SongCollection();
    journalLength_ = logLength_ = settleAt_ = 0;

    for (const auto& folder : layout_.UserFolders()) {
        if (const int error = MakeDirectories(folder)) {
            throw Failure(Problem::CannotCreateFolder, folder, error);
        }
    }
    layout_.SetWorkDir(MakeWorkDir(layout_, clock_.LocalSeconds()));
    try {
        MakeTree();
        SaveBytes(layout_.SongLog(), {});
        OpenLog();
        WritrFile(layout_.Template(kContainer), layout_.Epub(kContainer));
    } catch (...) {
        // What it holds open goes first: Windows removes no file held open.
        if (log_) {
            log_->close();
        }
        lock_.reset();
        RemoveTree(layout_.WorkDir());
        throw;
    }
    ClearEarlierRuns(layout_);
}

void Workspace::MakeTree() {
    const bool made = !IsDirectory(layout_.WorkDir());
    MakeMissingFolders(layout_);
    // A work directory made anew is locked anew: the lock held the one that went.
    if (made || !lock_) {
        lock_ = std::make_unique<FolderLock>(layout_.WorkDir());
    }
}

// A cleaner may have taken the work directory: the change goes in all the same. Adds do not
// look first (that costs two lookups a song); they restore when a write finds nothing there.
void Workspace::RestoreIfGone() {
    if (!IsDirectory(layout_.Epub("text")) || !Exists(layout_.SongLog())) {
        Restore();
    }
}

// Read at the first page, once: every page starts the same.
const std::string& Workspace::PageHead() {
    if (pageHead_.empty()) {
        pageHead_ = velmora::PageHead(TemplateLine(layout_.Template("text/part0000.html")));
    }
    return pageHead_;
}

SongCollection::Entry Workspace::WritePage(Song& song, int from) {
    const std::string bytes = ComposeSongPage(PageHead(), song);
    bool restored = false;
    // A page a build still packs keeps its number until the build ends: its file is there.
    for (int page = std::max(from, songs_.SongCount() + 1);; ++page) {
        if (songs_.PageInUse(page)) {
            continue;
        }
        const fs::path path = layout_.Page(PageFileName(page));
        int error = WriteNewFile(path, bytes);
        if (error == ENOENT && !restored) {
            Restore();
            restored = true;
            error = WriteNewFile(path, bytes);
        }
        if (error == 0) {
            try {
                return songs_.Prepare(std::move(song), page);
            } catch (...) {
                (void)RemoveFile(path);
                throw;
            }
        }
        if (error != EEXIST) {
            throw Failure(Problem::CannotWrite, path, error);
        }
    }
}

Refusal Workspace::AddLyric(const std::u16string& songName, const std::u16string& lyric) {
    return InsertSong(songs_.SongCount() + 1, {songName, lyric});
}

Refusal Workspace::InsertSong(int n, const Song& song) {
    if (song.name.empty() || song.lyric.empty()) {
        return Refusal::EmptyInput;
    }
    if (!Fits(song)) {
        return Refusal::TooLong;
    }
    if (songs_.SongCount() >= kMaxSongs) {
        return Refusal::BookFull;
    }
    if (!IsSong(n) && n != songs_.SongCount() + 1) {
        return Refusal::NoSuchSong;
    }
    Song page = song;
    SongCollection::Entry entry = WritePage(page);
    // The page first: a log record without its page would be a song that never was.
    try {
        Journal(AddRecord(n, song));
    } catch (...) {
        (void)RemoveFile(layout_.Page(PageFileName(entry.page)));
        throw;
    }
    songs_.Insert(n, std::move(entry));
    if (observer_ != nullptr) {
        observer_->SongsInserted(n, 1);
    }
    Settle();
    return Refusal::None;
}

int Workspace::AddSongs(int first, const std::vector<Song>& songs) {
    if (first < 1 || first > songs_.SongCount() + 1) {
        return 0;
    }
    const int count = std::min(static_cast<int>(songs.size()), kMaxSongs - songs_.SongCount());
    if (count <= 0) {
        return 0;
    }
    std::vector<SongCollection::Entry> entries;
    try {
        entries.reserve(static_cast<std::size_t>(count));
        for (int k = 0; k < count; ++k) {
            Song song = songs[static_cast<std::size_t>(k)];
            // The pages written before are not the collection's yet: start past them.
            entries.push_back(WritePage(song, entries.empty() ? 0 : entries.back().page + 1));
        }
        songs_.Reserve(count);
        JournalEach(entries.size(), [&](std::size_t k) {
            return AddRecord(first + static_cast<int>(k), entries[k].song);
        });
    } catch (...) {
        for (const SongCollection::Entry& entry : entries) {
            (void)RemoveFile(layout_.Page(PageFileName(entry.page)));
        }
        throw;
    }
    for (int k = 0; k < count; ++k) {
        songs_.Insert(first + k, std::move(entries[static_cast<std::size_t>(k)]));
    }
    if (observer_ != nullptr) {
        observer_->SongsInserted(first, count);
    }
    Settle();
    return count;
}

Refusal Workspace::EditLyric(int n, const Song& song) {
    std::vector<std::pair<int, Song>> edit{{n, song}};
    return EditSongs(edit);
}

Refusal Workspace::EditSongs(std::vector<std::pair<int, Song>>& edits, const Going& going) {
    for (const auto& [n, song] : edits) {
        if (!IsSong(n)) {
            return Refusal::NoSuchSong;
        }
        if (song.name.empty() || song.lyric.empty()) {
            return Refusal::EmptyInput;
        }
        if (!Fits(song)) {
            return Refusal::TooLong;
        }
    }
    // New pages, not the old ones rewritten: a build may be packing those.
    std::vector<SongCollection::Entry> entries;
    try {
        entries.reserve(edits.size());
        std::vector<std::unique_ptr<LetGo>> old;
        for (auto& [n, song] : edits) {
            // The pages written before are not the collection's yet: start past them.
            entries.push_back(WritePage(song, entries.empty() ? 0 : entries.back().page + 1));
            if (going && !going(entries.size(), edits.size())) {
                throw Failure(Problem::Stopped);
            }
        }
        for (const auto& [n, song] : edits) {
            old.push_back(std::make_unique<LetGo>(*this, layout_.Page(songs_.PageFileName(n))));
        }
        JournalEach(
            edits.size(),
            [&](std::size_t k) { return EditRecord(edits[k].first, entries[k].song); }, going);
        for (std::size_t k = 0; k < edits.size(); ++k) {
            edits[k].second = songs_.Replace(edits[k].first, std::move(entries[k]));
            old[k]->Commit();
        }
    } catch (...) {
        // Not made: each song back where it was given.
        for (std::size_t k = 0; k < entries.size(); ++k) {
            (void)RemoveFile(layout_.Page(PageFileName(entries[k].page)));
            edits[k].second = std::move(entries[k].song);
        }
        throw;
    }
    if (observer_ != nullptr) {
        for (const auto& edit : edits) {
            observer_->SongChanged(edit.first);
        }
    }
    Settle();
    return Refusal::None;
}

Refusal Workspace::RemoveLyric(int n) {
    return RemoveSongs(n, 1);
}

Refusal Workspace::RemoveSongs(int first, int count) {
    if (count < 1 || !IsSong(first) || !IsSong(first + count - 1)) {
        return Refusal::NoSuchSong;
    }
    RestoreIfGone();
    std::vector<std::unique_ptr<LetGo>> pages;
    std::string records;
    for (int k = first; k < first + count; ++k) {
        pages.push_back(std::make_unique<LetGo>(*this, layout_.Page(songs_.PageFileName(k))));
        records += RemoveRecord(first);
    }
    Journal(records, count);
    songs_.Remove(first, count);
    for (const auto& page : pages) {
        page->Commit();
    }
    if (observer_ != nullptr) {
        observer_->SongsRemoved(first, count);
    }
    Settle();
    return Refusal::None;
}

Refusal Workspace::MoveLyric(int from, int to) {
    if (from == to || !IsSong(from) || !IsSong(to)) {
        return Refusal::NoSuchSong;
    }
    RestoreIfGone();
    Journal(MoveRecord(from, to));
    songs_.Move(from, to);
    if (observer_ != nullptr) {
        observer_->SongMoved(from, to);
    }
    Settle();
    return Refusal::None;
}

bool Workspace::IsSong(int n) const {
    return n >= 1 && n <= songs_.SongCount();
}

void Workspace::Restore() {
    MakeTree();
    RestoreLog();
    if (!Exists(layout_.Epub(kContainer))) {
        WritrFile(layout_.Template(kContainer), layout_.Epub(kContainer));
    }
    // One listing, not a look a page: every build restores. Names that are no page of ours
    // (set aside, or a number past every song's) mark nothing.
    int last = 0;
    for (int n = 1; n <= songs_.SongCount(); ++n) {
        last = std::max(last, songs_.PageNumber(n));
    }
    std::vector<bool> present(static_cast<std::size_t>(last) + 1);
    for (const std::string& name : EntryNames(layout_.Epub("text"))) {
        if (const auto page = PageNumberOf(name); page && *page <= last) {
            present[static_cast<std::size_t>(*page)] = true;
        }
    }
    for (int n = 1; n <= songs_.SongCount(); ++n) {
        if (!present[static_cast<std::size_t>(songs_.PageNumber(n))]) {
            SaveBytes(layout_.Page(songs_.PageFileName(n)),
                      ComposeSongPage(PageHead(), songs_.At(n)));
        }
    }
}

}  // namespace velmora
