#include "app/song_filter.h"

#include "app/song_list_model.h"

void SongFilter::SetText(const QString& text) {
    if (text != text_) {
        text_ = text;
        invalidateFilter();
    }
}

bool SongFilter::moveRows(const QModelIndex&, int row, int count, const QModelIndex&,
                          int destinationRow) {
    // Among some songs only, a place in the list is no place in the book.
    return !Narrowed() && sourceModel()->moveRows({}, row, count, {}, destinationRow);
}

bool SongFilter::filterAcceptsRow(int row, const QModelIndex&) const {
    if (text_.isEmpty()) {
        return true;
    }
    const QModelIndex song = sourceModel()->index(row, 0);
    for (const int role :
         {int(Qt::DisplayRole), SongListModel::ArtistRole, SongListModel::LyricRole}) {
        if (song.data(role).toString().contains(text_, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}
