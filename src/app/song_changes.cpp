#include "app/song_changes.h"

#include <QCoreApplication>

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
    return run.EditSongs(songs_, going_);
}

Refusal EditedAll::Revert(Workspace& run) const {
    return run.EditSongs(songs_, going_);
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
