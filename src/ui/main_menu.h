#pragma once
// The window's menu bar, the desktop's habit: 文件, 编辑 and 帮助, every item with its key.
// 编辑 holds the song list's commands as they stand when it opens, then 查找 and 转换, the
// conversions of every song to one of four forms, the one last used ticked.

#include <QMenuBar>
#include <functional>

#include "text/script_conversion.h"

class ListCommands;
class QMenu;

struct FileCommands {
    std::function<void()> importFiles, importFolder, openBook, make, openFolder, share, quit;
    // The songbook on paper.
    std::function<void()> pageSetup, exportPdf, preview, print;
    // Fills 最近的书 as it opens.
    std::function<void(QMenu*)> fillRecent;
};

struct EditCommands {
    std::function<void()> find;
    // 转换: every song, and the book's title and author, into that form.
    std::function<void(velmora::ScriptForm)> convert;
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
    // The form's name as 转换 lists it: 简体, 繁體（台灣用词）, 繁體（香港）, 繁體（只换字形）.
    static QString ConversionName(velmora::ScriptForm form);

    // 开始制作 as its button is: not while a build runs.
    void SetMakeEnabled(bool enabled) { make_->setEnabled(enabled); }

private:
    // An item named `name`, for the tests and the accessibility tools to find it by.
    QAction* Add(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
                 const std::function<void()>& command);

    QAction* make_ = nullptr;
    QAction* share_ = nullptr;
};
