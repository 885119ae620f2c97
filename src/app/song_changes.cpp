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
