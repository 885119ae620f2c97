#pragma once
// The song list: a list box whose selected entry the keys ask to edit (Enter), remove
// (Delete) or move (Ctrl+Up, Ctrl+Down), and whose entries can be dragged to another place.
// Nothing changes by itself: the collection makes the change and shows it.

#include <QListWidget>

class SongList : public QListWidget {
    Q_OBJECT

public:
    explicit SongList(QWidget* parent);

    // The selected entry's number (1 for the first), or 0.
    int selected() const;

signals:
    void editRequested(int n);
    void removeRequested(int n);
    // Entry `from` is to go to place `to`.
    void moveRequested(int from, int to);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
