#pragma once
// The song list: a view of the song list model whose selected song the keys ask to edit
// (Enter), remove (Delete) or move (Ctrl+Up, Ctrl+Down), whose context menu opens by the
// mouse, the Menu key or Shift+F10, and whose rows can be dragged to another place (the
// model makes the move).

#include <QListView>
#include <vector>

#include "app/song_filter.h"

class SongList : public QListView {
    Q_OBJECT

public:
    explicit SongList(QWidget* parent);

    // Shows the songs of `songs`, or as many of them as `Filter()` lets through.
    void SetSongs(QAbstractItemModel* songs);
    SongFilter* Filter() const { return filter_; }

    // The selected song's number (1 for the first), or 0: the current one, when several are.
    int selected() const;
    void select(int n);
    // The numbers of every song selected, ascending.
    std::vector<int> selectedSongs() const;
    // Selects these songs, the first of them current.
    void select(const std::vector<int>& songs);

signals:
    void editRequested(int n);
    void removeRequested(int n);
    // Song `from` is to go to place `to`.
    void moveRequested(int from, int to);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // An empty list says how songs come into it.
    void paintEvent(QPaintEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    SongFilter* filter_;
};
