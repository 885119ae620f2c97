#include "ui/songbook_printing.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/application.h"
#include "print/songbook_export.h"
#include "print/songbook_painter.h"
#include "text/failure.h"
#include "ui/common_dialog.h"
#include "ui/dialogs/page_setup_dialog.h"
#include "ui/failure_wording.h"
#include "ui/message_boxes.h"
#include "ui/remembered.h"
#include "ui/wording.h"

namespace {

QString Creator() {
    return QStringLiteral("Velmora " VELMORA_VERSION);
}

QString TitleOf(const velmora::Songbook& songbook) {
    return QString::fromStdU16String(songbook.book.title);
}

// The wait cursor while a long book is laid out or drawn.
class Busy {
public:
    Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Busy() { QApplication::restoreOverrideCursor(); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
};

}  // namespace

SongbookPrinting::SongbookPrinting(Application& app, FileDialogRunner& dialogs, MessageBoxes& boxes,
                                   Window window)
    : app_(app), dialogs_(dialogs), boxes_(boxes), window_(std::move(window)) {}

void SongbookPrinting::Tell(const QString& text) {
    boxes_.Tell(window_.widget, text, AppTitle());
}

void SongbookPrinting::PageSetup() {
    if (const auto options = PageSetupDialog::Ask(window_.widget, remembered::PrintOptions())) {
        remembered::KeepPrintOptions(*options);
    }
}

std::optional<velmora::Songbook> SongbookPrinting::Book() {
    if (app_.SongCount() == 0) {
        Tell(tr("列表里还没有歌。先添加歌曲，再导出或打印。"));
        return std::nullopt;
    }
    velmora::RunBoxes boxes = window_.boxes();
    if (!velmora::BookInfo{boxes.title, boxes.author}.HasTitle()) {
        boxes.title = velmora::kDefaultTitle;
    }
    try {
        return app_.ToPrint(boxes);
    } catch (const velmora::Failure& failure) {
        Tell(Wording(failure));
    }
    return std::nullopt;
}

std::optional<velmora::PrintedBook> SongbookPrinting::LayOut(const velmora::Songbook& songbook) {
    try {
        const QString family = velmora::SongbookFamily(songbook);
        Busy busy;
        return velmora::LayOutSongbook(songbook, remembered::PrintOptions(), family);
    } catch (const velmora::Failure& failure) {
        Tell(Wording(failure));
    }
    return std::nullopt;
}

void SongbookPrinting::ExportPdf() {
    const std::optional<velmora::Songbook> songbook = Book();
    if (!songbook) {
        return;
    }
    const QString proposed = QString::fromStdString(app_.PdfPath(songbook->book.title).string());
    const std::optional<QString> chosen =
        dialogs_.runSaveDialog(window_.widget, tr("导出 PDF"), {tr("PDF 文件 (*.pdf)")}, proposed);
    if (!chosen) {
        return;
    }
    try {
        Busy busy;
        velmora::ExportSongbook(*songbook, remembered::PrintOptions(),
                                std::filesystem::path(chosen->toStdU16String()), Creator());
    } catch (const velmora::Failure& failure) {
        Tell(Wording(failure));
        return;
    }
    window_.status(tr("已导出 PDF：%1").arg(QFileInfo(*chosen).fileName()), *chosen);
}

void SongbookPrinting::OnPrinter(const OnBook& use) {
    const std::optional<velmora::Songbook> songbook = Book();
    const std::optional<velmora::PrintedBook> book = songbook ? LayOut(*songbook) : std::nullopt;
    if (!book) {
        return;
    }
    const bool booklet = remembered::PrintOptions().booklet;
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(velmora::PageLayoutOf(*book, booklet));
    printer.setDocName(TitleOf(*songbook));
    printer.setCreator(Creator());
    use(printer, *book, booklet);
}

void SongbookPrinting::Preview() {
    OnPrinter([this](QPrinter& printer, const velmora::PrintedBook& book, bool booklet) {
        QPrintPreviewDialog preview(&printer, window_.widget);
        preview.setObjectName(QStringLiteral("PrintPreview"));
        preview.setWindowTitle(tr("打印预览"));
        // Pages large enough to read, as the window is.
        preview.resize(window_.widget->window()->size().expandedTo(QSize(800, 700)));
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&](QPrinter* target) { velmora::PaintSongbook(book, *target, booklet); });
        preview.exec();
    });
}

void SongbookPrinting::Print() {
    OnPrinter([this](QPrinter& printer, const velmora::PrintedBook& book, bool booklet) {
        QPrintDialog dialog(&printer, window_.widget);
        dialog.setWindowTitle(tr("打印"));
        if (dialog.exec() == QDialog::Accepted) {
            Busy busy;
            velmora::PaintSongbook(book, printer, booklet);
        }
    });
}
