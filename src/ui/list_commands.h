#pragma once
// The song list's commands: undo and redo (window-wide keys), and for the selected song
// 修改…, 删除, 上移 and 下移 (the last three for every song selected), by the list's keys, a
// double click or its context menu, which also offers 导入…. Each goes to the change history;
// what comes back is said by the window.

#include <QObject>
#include <functional>
#include <vector>

class Application;
class QAction;
class QKeySequence;
class QMenu;
class QPoint;
class QWidget;
class SongList;

class MessageBoxes;

class ListCommands : public QObject {
    Q_OBJECT

public:
    ListCommands(Application& app, MessageBoxes& boxes, SongList* list, QWidget* window,
                 std::function<void()> chooseImport);

    // Undo, redo and the commands on the song selected now.
    void FillMenu(QMenu* menu);

private:
    void CreateUndoActions();
    void ShowMenu(const QPoint& at);
    // An item named `name`, for the tests and the accessibility tools to find it by.
    void Add(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
             bool enabled, const std::function<void()>& command);
    void Edit(int n);
    void Remove(int n);
    void Move(int from, int to);
    // The songs a command on song n is for: every one selected, when n is among them.
    std::vector<int> Chosen(int n) const;

    Application& app_;
    MessageBoxes& boxes_;
    SongList* list_;
    QWidget* window_;
    std::function<void()> chooseImport_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
};
