#include "app/song_changes.h"

#include <QCoreApplication>
#include <algorithm>
#include <iterator>

using velmora::Refusal;
using velmora::Song;
using velmora::Workspace;

Added::Added(int first, std::vector<Song> songs)
    : SongChange(songs.size() == 1 ? QCoreApplication::translate("SongChange", "添加")
                                   : QCoreApplication::translate("SongChange", "导入")),
      first_(first),
      songs_(std::move(songs)) {}

Refusal Added::Apply(Workspace& run) const {
    if (songs_.size() == 1) {
        return run.InsertSong(first_, songs_.front());
    }
    return run.AddSongs(first_, songs_) == static_cast<int>(songs_.size()) ? Refusal::None
                                                                           : Refusal::BookFull;
}

Refusal Added::Revert(Workspace& run) const {
    return run.RemoveSongs(first_, static_cast<int>(songs_.size()));
}

Edited::Edited(int n, Song before, Song after)
    : SongChange(QCoreApplication::translate("SongChange", "修改")),
      n_(n),
      before_(std::move(before)),
      after_(std::move(after)) {}

Refusal Edited::Apply(Workspace& run) const {
    return run.EditLyric(n_, after_);
}

Refusal Edited::Revert(Workspace& run) const {
    return run.EditLyric(n_, before_);
}

EditedAll::EditedAll(Songs after, const QString& name)
    : SongChange(name), songs_(std::move(after)) {}

Refusal EditedAll::Apply(Workspace& run) const {
    // Only the boxes may change: the songs are left alone.
    return songs_.empty() ? Refusal::None : run.EditSongs(songs_, going_);
}

Refusal EditedAll::Revert(Workspace& run) const {
    return Apply(run);
}

Removed::Removed(int n, Song song)
    : SongChange(QCoreApplication::translate("SongChange", "删除")),
      n_(n),
      song_(std::move(song)) {}

Refusal Removed::Apply(Workspace& run) const {
    return run.RemoveLyric(n_);
}

Refusal Removed::Revert(Workspace& run) const {
    return run.InsertSong(n_, song_);
}

Moved::Moved(int from, int to)
    : SongChange(QCoreApplication::translate("SongChange", "移动")), from_(from), to_(to) {}

Refusal Moved::Apply(Workspace& run) const {
    return run.MoveLyric(from_, to_);
}

Refusal Moved::Revert(Workspace& run) const {
    return run.MoveLyric(to_, from_);
}

namespace {

// The run's songs `from` become `to`; when `to` cannot all come in, `from` are put back.
Refusal Exchange(Workspace& run, const std::vector<Song>& from, const std::vector<Song>& to) {
    if (!from.empty()) {
        if (const Refusal refusal = run.RemoveSongs(1, static_cast<int>(from.size()));
            refusal != Refusal::None) {
            return refusal;
        }
    }
    try {
        if (run.AddSongs(1, to) == static_cast<int>(to.size())) {
            return Refusal::None;
        }
    } catch (...) {
        run.RemoveSongs(1, run.Songs().SongCount());
        run.AddSongs(1, from);
        throw;
    }
    run.RemoveSongs(1, run.Songs().SongCount());
    run.AddSongs(1, from);
    return Refusal::BookFull;
}

}  // namespace

Replaced::Replaced(std::vector<Song> before, std::vector<Song> after, velmora::RunBoxes boxesBefore,
                   velmora::RunBoxes boxesAfter, const QString& name)
    : SongChange(name),
      before_(std::move(before)),
      after_(std::move(after)),
      boxesBefore_(std::move(boxesBefore)),
      boxesAfter_(std::move(boxesAfter)) {}

Refusal Replaced::Apply(Workspace& run) const {
    return Exchange(run, before_, after_);
}

Refusal Replaced::Revert(Workspace& run) const {
    return Exchange(run, after_, before_);
}

RemovedSeveral::RemovedSeveral(std::vector<std::pair<int, Song>> songs)
    : SongChange(QCoreApplication::translate("SongChange", "删除")), songs_(std::move(songs)) {}

Refusal RemovedSeveral::Apply(Workspace& run) const {
    // From the last, so that the numbers before stay as they are.
    for (auto song = songs_.rbegin(); song != songs_.rend(); ++song) {
        try {
            if (const Refusal refusal = run.RemoveLyric(song->first); refusal != Refusal::None) {
                return refusal;
            }
        } catch (...) {
            for (auto back = song.base(); back != songs_.end(); ++back) {
                run.InsertSong(back->first, back->second);
            }
            throw;
        }
    }
    return Refusal::None;
}

Refusal RemovedSeveral::Revert(Workspace& run) const {
    for (auto song = songs_.begin(); song != songs_.end(); ++song) {
        try {
            if (const Refusal refusal = run.InsertSong(song->first, song->second);
                refusal != Refusal::None) {
                return refusal;
            }
        } catch (...) {
            for (auto back = std::make_reverse_iterator(song); back != songs_.rend(); ++back) {
                run.RemoveLyric(back->first);
            }
            throw;
        }
    }
    return Refusal::None;
}

MovedSeveral::MovedSeveral(std::vector<int> songs, bool up)
    : SongChange(QCoreApplication::translate("SongChange", "移动")),
      songs_(std::move(songs)),
      up_(up) {}

Refusal MovedSeveral::Shift(Workspace& run, const std::vector<int>& songs, bool up) {
    // The one nearest the way it goes first, so that none passes another.
    std::vector<int> order = songs;
    if (!up) {
        std::reverse(order.begin(), order.end());
    }
    for (std::size_t k = 0; k < order.size(); ++k) {
        const int n = order[k];
        try {
            if (const Refusal refusal = run.MoveLyric(n, up ? n - 1 : n + 1);
                refusal != Refusal::None) {
                return refusal;
            }
        } catch (...) {
            for (std::size_t back = k; back-- > 0;) {
                const int moved = up ? order[back] - 1 : order[back] + 1;
                run.MoveLyric(moved, order[back]);
            }
            throw;
        }
    }
    return Refusal::None;
}

Refusal MovedSeveral::Apply(Workspace& run) const {
    return Shift(run, songs_, up_);
}

Refusal MovedSeveral::Revert(Workspace& run) const {
    std::vector<int> moved;
    for (const int n : songs_) {
        moved.push_back(up_ ? n - 1 : n + 1);
    }
    return Shift(run, moved, !up_);
}
