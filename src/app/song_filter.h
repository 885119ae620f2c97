#pragma once
// The song list narrowed by 查找: the songs whose name, artist or lyric holds the text,
// in the book's order. Unnarrowed, a drag's move goes through to the songs.

#include <QSortFilterProxyModel>

class SongFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetText(const QString& text);
    bool Narrowed() const { return !text_.isEmpty(); }

    bool moveRows(const QModelIndex& source, int row, int count, const QModelIndex& destination,
                  int destinationRow) override;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

private:
    QString text_;
};
