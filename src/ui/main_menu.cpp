#include "main_menu.h"

#include "list_commands.h"

MainMenu::MainMenu(QWidget* window, const FileCommands& file, ListCommands& list,
                   const EditCommands& editing, const HelpCommands& help)
    : QMenuBar(window) {
    setObjectName(QStringLiteral("MenuBar"));
    QMenu* files = addMenu(tr("文件(&F)"));
    Add(files, tr("导入文件…"), QKeySequence(Qt::CTRL | Qt::Key_O), file.importFiles);
    Add(files, tr("导入文件夹…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
        file.importFolder);
    files->addSeparator();
    Add(files, tr("开始制作"), QKeySequence(Qt::CTRL | Qt::Key_B), file.make);
    Add(files, tr("打开成品文件夹"), QKeySequence(Qt::CTRL | Qt::Key_E), file.openFolder);
    share_ = Add(files, tr("传到手机"), QKeySequence(Qt::CTRL | Qt::Key_M), file.share);
    files->addSeparator();
    Add(files, tr("退出"), QKeySequence(Qt::CTRL | Qt::Key_Q), file.quit);
    QMenu* edit = addMenu(tr("编辑(&E)"));
    // Filled as it opens, for the song selected then.
    const auto fill = [this, edit, &list, editing] {
        edit->clear();
        list.FillMenu(edit);
        edit->addSeparator();
        Add(edit, tr("查找"), QKeySequence(QKeySequence::Find), editing.find);
        edit->addSeparator();
        Add(edit, tr("全部转为简体"), QKeySequence(), editing.toSimplified);
        Add(edit, tr("全部转为繁體"), QKeySequence(), editing.toTraditional);
    };
    connect(edit, &QMenu::aboutToShow, this, fill);
    fill();
    QMenu* helping = addMenu(tr("帮助(&H)"));
    Add(helping, tr("使用说明"), QKeySequence(QKeySequence::HelpContents), help.guide);
    Add(helping, tr("关于 Velmora"), QKeySequence(), help.about);
}

QAction* MainMenu::Add(QMenu* menu, const QString& text, const QKeySequence& keys,
                       const std::function<void()>& command) {
    QAction* action = menu->addAction(text, this, command);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(true);
    return action;
}
