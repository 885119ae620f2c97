#include "ui/song_list.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "app/song_list_model.h"

namespace {

// A row as wide as the list, whatever its name: a long name ends in "…" (its tooltip shows
// it whole) instead of widening the list past its edge. Each shows its song's number from
// its place, as its accessible text reads.
class FittingRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text = index.data(Qt::AccessibleTextRole).toString();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {1, QStyledItemDelegate::sizeHint(option, index).height()};
    }
    // The artist after the name, quieter, where there is room.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QString artist = index.data(SongListModel::ArtistRole).toString();
        QStyleOptionViewItem shown = option;
        initStyleOption(&shown, index);
        const QRect text = shown.widget->style()->subElementRect(QStyle::SE_ItemViewItemText,
                                                                 &shown, shown.widget);
        const int used = shown.fontMetrics.horizontalAdvance(shown.text + QStringLiteral("  "));
        if (artist.isEmpty() || used >= text.width()) {
            return;
        }
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
        painter->drawText(
            text.adjusted(used, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
            shown.fontMetrics.elidedText(artist, Qt::ElideRight, text.width() - used));
        painter->restore();
    }
};

}  // namespace

SongList::SongList(QWidget* parent) : QListView(parent), filter_(new SongFilter(this)) {
    setItemDelegate(new FittingRows(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Shift- and Ctrl-click, Ctrl+A: several songs to remove or move at once.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    // One height for every row: 9,999 rows are laid out without measuring each.
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideRight);
}

void SongList::SetSongs(QAbstractItemModel* songs) {
    filter_->setSourceModel(songs);
    setModel(filter_);
}

int SongList::selected() const {
    const QModelIndex current = currentIndex();
    return current.isValid() && selectionModel()->isSelected(current)
               ? filter_->mapToSource(current).row() + 1
               : 0;
}

void SongList::select(int n) {
    const QModelIndex row = filter_->mapFromSource(filter_->sourceModel()->index(n - 1, 0));
    if (row.isValid()) {
        // This song alone, whatever modifier keys are down.
        selectionModel()->setCurrentIndex(
            row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        // A moved song is current already, so setting it scrolls nothing: it is followed here.
        scrollTo(currentIndex());
    }
}

std::vector<int> SongList::selectedSongs() const {
    std::vector<int> songs;
    for (const QModelIndex& row : selectionModel()->selectedRows()) {
        songs.push_back(filter_->mapToSource(row).row() + 1);
    }
    std::sort(songs.begin(), songs.end());
    return songs;
}

void SongList::select(const std::vector<int>& songs) {
    if (songs.empty()) {
        return;
    }
    select(songs.front());
    for (const int n : songs) {
        const QModelIndex row = filter_->mapFromSource(filter_->sourceModel()->index(n - 1, 0));
        selectionModel()->select(row, QItemSelectionModel::Select);
    }
}

void SongList::keyPressEvent(QKeyEvent* event) {
    const int n = selected();
    const bool control = event->modifiers() == Qt::ControlModifier;
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (menuKey) {
        const QRect row = n > 0 ? visualRect(currentIndex()) : QRect();
        const QPoint at = n > 0 ? row.center() : viewport()->rect().topLeft();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at));
        QApplication::sendEvent(viewport(), &menu);
    } else if (n > 0 && event->matches(QKeySequence::Delete)) {
        emit removeRequested(n);
    } else if (n > 0 && event->modifiers() == Qt::NoModifier &&
               (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        emit editRequested(n);
    } else if (n > 0 && control && event->key() == Qt::Key_Up) {
        emit moveRequested(n, n - 1);
    } else if (n > 0 && control && event->key() == Qt::Key_Down) {
        emit moveRequested(n, n + 1);
    } else {
        QListView::keyPressEvent(event);
    }
}

void SongList::dropEvent(QDropEvent* event) {
    const int from = currentIndex().row();
    const QModelIndex at = indexAt(event->position().toPoint());
    int row = at.isValid() ? at.row() : model()->rowCount();
    if (at.isValid() && dropIndicatorPosition() == QAbstractItemView::BelowItem) {
        ++row;
    }
    // The view moves nothing itself: the model asks the collection, which tells it back.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (event->source() == this && from >= 0) {
        model()->moveRow({}, from, {}, row);
    }
    stopAutoScroll();
    setState(NoState);
}

void SongList::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    if (filter_->sourceModel() == nullptr || filter_->sourceModel()->rowCount() > 0) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                     tr("在左边输入歌名和歌词，或把歌词文件拖到这里"));
}
