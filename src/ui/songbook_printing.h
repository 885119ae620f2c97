#pragma once
// The songbook on paper, from the 文件 menu: 页面设置 (remembered), 导出 PDF, 打印预览 and 打印,
// all from one layout of the book as the boxes and the list give it.

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <optional>

#include "print/songbook_layout.h"
#include "workspace/earlier_runs.h"

class Application;
class FileDialogRunner;
class MessageBoxes;
class QPrinter;
class QWidget;

class SongbookPrinting {
    Q_DECLARE_TR_FUNCTIONS(SongbookPrinting)

public:
    struct Window {
        QWidget* widget;
        std::function<velmora::RunBoxes()> boxes;
        // The status line's text, and the file it names (opened by a click).
        std::function<void(const QString&, const QString&)> status;
    };

    SongbookPrinting(Application& app, FileDialogRunner& dialogs, MessageBoxes& boxes,
                     Window window);

    void PageSetup();
    void ExportPdf();
    void Preview();
    void Print();

private:
    // The book laid out with the remembered options; none, after a box saying why, when it
    // has no songs or no font has Chinese.
    std::optional<velmora::PrintedBook> LayOut(const velmora::Songbook& songbook);
    std::optional<velmora::Songbook> Book();
    // The book laid out and a printer set up for it (its page size, title and creator), for
    // `use`; nothing when the book cannot be laid out (said already).
    using OnBook = std::function<void(QPrinter&, const velmora::PrintedBook&, bool booklet)>;
    void OnPrinter(const OnBook& use);
    void Tell(const QString& text);

    Application& app_;
    FileDialogRunner& dialogs_;
    MessageBoxes& boxes_;
    Window window_;
};
