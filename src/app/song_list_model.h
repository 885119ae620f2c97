#pragma once
// The song list as a Qt model over the run's song collection: row r is song r + 1, its name
// shown, "n:name" (its number from its place) its accessible text, the whole name and the
// artist its tooltip, the artist its accessible description. It follows each
// change the collection reports; a move the view asks for (a drag) goes to the mover.

#include <QAbstractListModel>
#include <functional>

#include "workspace/collection_observer.h"
#include "workspace/song_collection.h"

class SongListModel : public QAbstractListModel, public velmora::CollectionObserver {
    Q_OBJECT

public:
    // Makes the move of song `from` to place `to`; false when it was not made.
    using Mover = std::function<bool(int from, int to)>;
    // The song's artist, shown beside its name; empty when none is known.
    static constexpr int ArtistRole = Qt::UserRole;
    static constexpr int LyricRole = Qt::UserRole + 1;

    SongListModel(const velmora::SongCollection& songs, Mover mover, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override;
    // One row moved before row `destination`, as a view's drag asks.
    bool moveRows(const QModelIndex& source, int row, int count, const QModelIndex& destination,
                  int destinationRow) override;

    void SongsInserted(int first, int count) override;
    void SongsRemoved(int first, int count) override;
    void SongMoved(int from, int to) override;
    void SongChanged(int n) override;

private:
    // The song a row shows; 0 for none. The collection has changed before it tells: until
    // the views have been told to begin, rows past the change keep showing what they showed.
    int SongOf(int row) const;

    const velmora::SongCollection& songs_;
    Mover mover_;
    // The rows the views know of: kept apart from the collection, which changes first.
    int rows_ = 0;
    // The change being announced: `count` songs in (out, when negative) at song `first`.
    struct {
        int first = 0;
        int count = 0;
    } pending_;
};
