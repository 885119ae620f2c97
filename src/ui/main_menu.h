#pragma once
// The window's menu bar, the desktop's habit: 文件, 编辑 and 帮助, every item with its key.
// 编辑 holds the song list's commands as they stand when it opens, then 查找 and the
// conversions of every song to either script.

#include <QMenuBar>
#include <functional>

class ListCommands;
class QMenu;

struct FileCommands {
    std::function<void()> importFiles, importFolder, openBook, make, openFolder, share, quit;
    // Fills 最近的书 as it opens.
    std::function<void(QMenu*)> fillRecent;
};

struct EditCommands {
    std::function<void()> find, toSimplified, toTraditional;
};

struct HelpCommands {
    std::function<void()> guide, about;
};

class MainMenu : public QMenuBar {
    Q_OBJECT

public:
    MainMenu(QWidget* window, const FileCommands& file, ListCommands& list,
             const EditCommands& editing, const HelpCommands& help);

    // 传到手机 as its button is: for a book that is there.
    void SetShareEnabled(bool enabled) { share_->setEnabled(enabled); }
    // 开始制作 as its button is: not while a build runs.
    void SetMakeEnabled(bool enabled) { make_->setEnabled(enabled); }

private:
    // An item named `name`, for the tests and the accessibility tools to find it by.
    QAction* Add(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
                 const std::function<void()>& command);

    QAction* make_ = nullptr;
    QAction* share_ = nullptr;
};
