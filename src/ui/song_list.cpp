#include "song_list.h"

#include <QDropEvent>
#include <QKeyEvent>

SongList::SongList(QWidget* parent) : QListWidget(parent) {
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
}

int SongList::selected() const {
    const QListWidgetItem* item = currentItem();
    return item != nullptr && item->isSelected() ? currentRow() + 1 : 0;
}

void SongList::keyPressEvent(QKeyEvent* event) {
    const int n = selected();
    const bool control = event->modifiers() == Qt::ControlModifier;
    if (n > 0 && event->matches(QKeySequence::Delete)) {
        emit removeRequested(n);
    } else if (n > 0 && event->modifiers() == Qt::NoModifier &&
               (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        emit editRequested(n);
    } else if (n > 0 && control && event->key() == Qt::Key_Up) {
        emit moveRequested(n, n - 1);
    } else if (n > 0 && control && event->key() == Qt::Key_Down) {
        emit moveRequested(n, n + 1);
    } else {
        QListWidget::keyPressEvent(event);
    }
}

void SongList::dropEvent(QDropEvent* event) {
    const int from = currentRow();
    const QModelIndex at = indexAt(event->position().toPoint());
    int row = at.isValid() ? at.row() : count();
    if (dropIndicatorPosition() == QAbstractItemView::BelowItem) {
        ++row;
    }
    // The entry leaves its own place first: dropped below itself, it lands one place up.
    const int to = row > from ? row - 1 : row;
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (event->source() == this && from >= 0 && to != from) {
        emit moveRequested(from + 1, to + 1);
    }
}
