#include "ui/main_menu.h"

#include <QActionGroup>

#include "ui/list_commands.h"
#include "ui/remembered.h"

MainMenu::MainMenu(QWidget* window, const FileCommands& file, ListCommands& list,
                   const EditCommands& editing, const HelpCommands& help)
    : QMenuBar(window) {
    setObjectName(QStringLiteral("MenuBar"));
    QMenu* files = addMenu(tr("文件(&F)"));
    files->setObjectName(QStringLiteral("FileMenu"));
    Add(files, "OpenBook", tr("打开书…"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_O),
        file.openBook);
    QMenu* recent = files->addMenu(tr("最近的书"));
    recent->setObjectName(QStringLiteral("RecentMenu"));
    connect(recent, &QMenu::aboutToShow, this, [recent, fill = file.fillRecent] { fill(recent); });
    files->addSeparator();
    Add(files, "ImportFiles", tr("导入文件…"), QKeySequence(Qt::CTRL | Qt::Key_O),
        file.importFiles);
    Add(files, "ImportFolder", tr("导入文件夹…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
        file.importFolder);
    files->addSeparator();
    make_ = Add(files, "Make", tr("开始制作"), QKeySequence(Qt::CTRL | Qt::Key_B), file.make);
    Add(files, "OpenFolder", tr("打开成品文件夹"), QKeySequence(Qt::CTRL | Qt::Key_E),
        file.openFolder);
    share_ = Add(files, "Share", tr("传到手机"), QKeySequence(Qt::CTRL | Qt::Key_M), file.share);
    files->addSeparator();
    Add(files, "PageSetup", tr("页面设置…"), QKeySequence(), file.pageSetup);
    Add(files, "ExportPdf", tr("导出 PDF…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
        file.exportPdf);
    Add(files, "PrintPreview", tr("打印预览…"), QKeySequence(), file.preview);
    Add(files, "Print", tr("打印…"), QKeySequence(QKeySequence::Print), file.print);
    files->addSeparator();
    Add(files, "Quit", tr("退出"), QKeySequence(Qt::CTRL | Qt::Key_Q), file.quit);
    QMenu* edit = addMenu(tr("编辑(&E)"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    // Filled as it opens, for the song selected then.
    const auto fill = [this, edit, &list, editing] {
        edit->clear();
        list.FillMenu(edit);
        edit->addSeparator();
        Add(edit, "Find", tr("查找"), QKeySequence(QKeySequence::Find), editing.find);
        edit->addSeparator();
        QMenu* convert = edit->addMenu(tr("转换"));
        convert->setObjectName(QStringLiteral("ConvertMenu"));
        auto* forms = new QActionGroup(convert);
        const std::optional<velmora::ScriptForm> last = remembered::LastConversion();
        using velmora::ScriptForm;
        const std::pair<const char*, ScriptForm> items[] = {
            {"ToSimplified", ScriptForm::Simplified},
            {"ToTaiwan", ScriptForm::Taiwan},
            {"ToHongKong", ScriptForm::HongKong},
            {"ToCharacters", ScriptForm::Characters}};
        for (const auto& [name, form] : items) {
            QAction* item = Add(convert, name, ConversionName(form), QKeySequence(),
                                [convert = editing.convert, form] { convert(form); });
            item->setCheckable(true);
            item->setChecked(last == form);
            forms->addAction(item);
        }
    };
    connect(edit, &QMenu::aboutToShow, this, fill);
    fill();
    QMenu* helping = addMenu(tr("帮助(&H)"));
    helping->setObjectName(QStringLiteral("HelpMenu"));
    Add(helping, "Guide", tr("使用说明"), QKeySequence(QKeySequence::HelpContents), help.guide);
    Add(helping, "About", tr("关于 Velmora"), QKeySequence(), help.about);
}

QString MainMenu::ConversionName(velmora::ScriptForm form) {
    switch (form) {
        case velmora::ScriptForm::Simplified:
            return tr("简体");
        case velmora::ScriptForm::Taiwan:
            return tr("繁體（台灣用词）");
        case velmora::ScriptForm::HongKong:
            return tr("繁體（香港）");
        case velmora::ScriptForm::Characters:
            break;
    }
    return tr("繁體（只换字形）");
}

QAction* MainMenu::Add(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
                       const std::function<void()>& command) {
    QAction* action = menu->addAction(text, this, command);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(true);
    return action;
}
