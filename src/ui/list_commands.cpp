#include "ui/list_commands.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "app/application.h"
#include "ui/dialogs/edit_song_dialog.h"
#include "ui/message_boxes.h"
#include "ui/song_list.h"
#include "ui/wording.h"

ListCommands::ListCommands(Application& app, MessageBoxes& boxes, SongList* list, QWidget* window,
                           std::function<void()> chooseImport)
    : QObject(window),
      app_(app),
      boxes_(boxes),
      list_(list),
      window_(window),
      chooseImport_(std::move(chooseImport)) {
    CreateUndoActions();
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this, &ListCommands::ShowMenu);
    connect(list_, &QListView::doubleClicked, this, [this] { Edit(list_->selected()); });
    connect(list_, &SongList::editRequested, this, &ListCommands::Edit);
    connect(list_, &SongList::removeRequested, this, &ListCommands::Remove);
    connect(list_, &SongList::moveRequested, this, &ListCommands::Move);
}

void ListCommands::CreateUndoActions() {
    QUndoStack* changes = app_.History().Stack();
    undo_ = new QAction(tr("撤销"), window_);
    undo_->setObjectName(QStringLiteral("Undo"));
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_ = new QAction(tr("重做"), window_);
    redo_->setObjectName(QStringLiteral("Redo"));
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undo_, redo_}) {
        // A text box takes these keys for its own typing while it has the focus.
        action->setShortcutContext(Qt::WindowShortcut);
        action->setShortcutVisibleInContextMenu(true);
        window_->addAction(action);
    }
    undo_->setEnabled(changes->canUndo());
    redo_->setEnabled(changes->canRedo());
    connect(changes, &QUndoStack::canUndoChanged, undo_, &QAction::setEnabled);
    connect(changes, &QUndoStack::canRedoChanged, redo_, &QAction::setEnabled);
    connect(undo_, &QAction::triggered, this, [this] { app_.History().Undo(); });
    connect(redo_, &QAction::triggered, this, [this] { app_.History().Redo(); });
}

void ListCommands::ShowMenu(const QPoint& at) {
    // On a song of those selected, the menu is for all of them; on another, for it alone.
    const QModelIndex index = list_->indexAt(at);
    if (index.isValid() && list_->selectionModel()->isSelected(index)) {
        list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    } else if (index.isValid()) {
        list_->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    QMenu menu(window_);
    FillMenu(&menu);
    menu.addSeparator();
    Add(&menu, "Import", tr("导入…"), QKeySequence(Qt::CTRL | Qt::Key_O), true,
        [this] { chooseImport_(); });
    menu.exec(list_->viewport()->mapToGlobal(at));
}

void ListCommands::FillMenu(QMenu* menu) {
    const int n = list_->selected();
    const int count = app_.SongCount();
    menu->addActions({undo_, redo_});
    menu->addSeparator();
    Add(menu, "EditSong", tr("修改…"), QKeySequence(Qt::Key_Return), n > 0, [this, n] { Edit(n); });
    Add(menu, "RemoveSong", tr("删除"), QKeySequence(QKeySequence::Delete), n > 0,
        [this, n] { Remove(n); });
    const std::vector<int> chosen = Chosen(n);
    Add(menu, "MoveUp", tr("上移"), QKeySequence(Qt::CTRL | Qt::Key_Up),
        n > 0 && chosen.front() > 1, [this, n] { Move(n, n - 1); });
    Add(menu, "MoveDown", tr("下移"), QKeySequence(Qt::CTRL | Qt::Key_Down),
        n > 0 && chosen.back() < count, [this, n] { Move(n, n + 1); });
}

void ListCommands::Add(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
                       bool enabled, const std::function<void()>& command) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    // Shown, not bound: the list's and the window's own keys do these.
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setShortcutVisibleInContextMenu(true);
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, command);
}

void ListCommands::Edit(int n) {
    if (n == 0) {
        return;
    }
    EditSongDialog dialog(window_, app_.SongAt(n), [this, n](const velmora::Song& song) {
        return app_.History().Edit(n, song).Made();
    });
    if (dialog.exec() == QDialog::Accepted) {
        list_->select(n);
    }
}

std::vector<int> ListCommands::Chosen(int n) const {
    std::vector<int> songs = list_->selectedSongs();
    return std::find(songs.begin(), songs.end(), n) != songs.end() ? songs : std::vector{n};
}

void ListCommands::Remove(int n) {
    const std::vector<int> songs = Chosen(n);
    const QString question =
        songs.size() == 1 ? tr("确定删除第 %1 首《%2》吗？").arg(n).arg(Elided(app_.SongAt(n).name))
                          : tr("确定删除选中的 %1 首歌吗？").arg(songs.size());
    if (boxes_.Ask(window_, question, HintTitle(), tr("删除"), tr("取消"), true) &&
        app_.History().RemoveSeveral(songs).Made()) {
        list_->select(std::min(songs.front(), app_.SongCount()));
    }
}

void ListCommands::Move(int from, int to) {
    const std::vector<int> songs = Chosen(from);
    if (songs.size() == 1) {
        if (app_.History().Move(from, to).Made()) {
            list_->select(to);
        }
        return;
    }
    const bool up = to < from;
    if (app_.History().MoveSeveral(songs, up).Made()) {
        std::vector<int> moved;
        for (const int n : songs) {
            moved.push_back(up ? n - 1 : n + 1);
        }
        list_->select(moved);
    }
}
