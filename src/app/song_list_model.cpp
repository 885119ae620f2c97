#include "app/song_list_model.h"

SongListModel::SongListModel(const velmora::SongCollection& songs, Mover mover, QObject* parent)
    : QAbstractListModel(parent),
      songs_(songs),
      mover_(std::move(mover)),
      rows_(songs.SongCount()) {}

int SongListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant SongListModel::data(const QModelIndex& index, int role) const {
    const int n = index.isValid() && index.row() < rows_ ? SongOf(index.row()) : 0;
    if (n == 0) {
        return {};
    }
    const velmora::Song& song = songs_.At(n);
    const QString name = QString::fromStdU16String(song.name);
    switch (role) {
        case Qt::DisplayRole:
            return name;
        case Qt::AccessibleTextRole:
            return QString::number(index.row() + 1) + QLatin1Char(':') + name;
        case LyricRole:
            return QString::fromStdU16String(song.lyric);
        case ArtistRole:
        case Qt::AccessibleDescriptionRole:
            return QString::fromStdU16String(song.artist);
        case Qt::ToolTipRole:
            return song.artist.empty()
                       ? name
                       : tr("%1（%2）").arg(name, QString::fromStdU16String(song.artist));
        default:
            return {};
    }
}

Qt::ItemFlags SongListModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractListModel::flags(index);
    return index.isValid() ? flags | Qt::ItemIsDragEnabled : flags | Qt::ItemIsDropEnabled;
}

Qt::DropActions SongListModel::supportedDropActions() const {
    return Qt::MoveAction;
}

bool SongListModel::moveRows(const QModelIndex& source, int row, int count,
                             const QModelIndex& destination, int destinationRow) {
    if (source.isValid() || destination.isValid() || count != 1) {
        return false;
    }
    // The row leaves its own place first: before a row below it, it lands one place up.
    const int to = destinationRow > row ? destinationRow - 1 : destinationRow;
    return to != row && mover_(row + 1, to + 1);
}

int SongListModel::SongOf(int row) const {
    const int n = row + 1;
    if (n < pending_.first || pending_.count == 0) {
        return n;
    }
    // Removed: the rows still shown for them have no song any more.
    if (pending_.count < 0 && n < pending_.first - pending_.count) {
        return 0;
    }
    return n + pending_.count;
}

void SongListModel::SongsInserted(int first, int count) {
    pending_ = {first, count};
    beginInsertRows({}, first - 1, first + count - 2);
    pending_ = {};
    rows_ += count;
    endInsertRows();
}

void SongListModel::SongsRemoved(int first, int count) {
    pending_ = {first, -count};
    beginRemoveRows({}, first - 1, first + count - 2);
    pending_ = {};
    rows_ -= count;
    endRemoveRows();
}

void SongListModel::SongMoved(int from, int to) {
    // Qt counts the destination before the move: past the row itself when it goes down.
    beginMoveRows({}, from - 1, from - 1, {}, to > from ? to : to - 1);
    endMoveRows();
    // Every row between shows a new number.
    const int top = std::min(from, to) - 1;
    const int bottom = std::max(from, to) - 1;
    emit dataChanged(index(top), index(bottom), {Qt::AccessibleTextRole});
}

void SongListModel::SongChanged(int n) {
    emit dataChanged(index(n - 1), index(n - 1));
}
