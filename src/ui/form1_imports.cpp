#include "ui/form1.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <iterator>

#include "ui/dialogs/import_progress.h"
#include "ui/file_drops.h"
#include "ui/import_summary.h"
#include "ui/main_menu.h"
#include "ui/recent_books.h"
#include "ui/remembered.h"
#include "ui/status_label.h"
#include "ui/wording.h"

// What the window brings in: files and folders, a book opened again, and every song
// converted to one script.

void Form1::Import(const QStringList& paths) {
    std::vector<std::filesystem::path> given;
    std::transform(paths.begin(), paths.end(), std::back_inserter(given), LocalFile);
    Import(given);
}

void Form1::Import(const std::vector<std::filesystem::path>& paths) {
    ImportProgressDialog progress(this, [this] { return !app_.Ending(); });
    const ImportOutcome outcome = app_.Import(paths, progress, Boxes());
    // Songs in before a failure stay; the failure is said, then what was skipped.
    Said(outcome.error);
    if (const QString summary = ImportSummary(outcome.report);
        !summary.isEmpty() && !app_.Ending()) {
        Say(summary, AppTitle());
    }
    if (outcome.cameBack) {
        ShowBoxes(*outcome.cameBack);
    }
}

void Form1::TakeStart(const std::vector<std::filesystem::path>& files) {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
        QTimer::singleShot(300, this, [this, files] { TakeStart(files); });
        return;
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    Import(files);
}

void Form1::OpenBook(const QString& path, const QString& savePlace) {
    if (app_.HasUnbuiltSongs() &&
        !boxes_.Ask(this, tr("列表里还有没做进电子书的歌。要打开这本书替换它们吗？（可以撤销）"),
                    AppTitle(), tr("打开"), tr("取消"), false)) {
        return;
    }
    const Application::Opened opened =
        app_.OpenBook(LocalFile(path), Boxes(), savePlace.toStdU16String(), tr("打开书"));
    if (Said(opened.error) && opened.boxes) {
        ShowBoxes(*opened.boxes);
        KeepBoxes();
        ui_.label4->Show(tr("已打开：%1").arg(QFileInfo(path).fileName()), path);
    }
}

void Form1::ShowReopenOffer() {
    const QString offer = ReopenOfferText();
    ui_.reopenOffer->setText(
        offer.isEmpty() ? QString()
                        : QStringLiteral("<a href=\"offer\">%1</a>").arg(offer.toHtmlEscaped()));
    ui_.reopenOffer->setAccessibleName(offer);
    ShowCount();
}

void Form1::ConvertAll(velmora::ScriptForm to) {
    const bool simplified = to == velmora::ScriptForm::Simplified;
    const QString form = MainMenu::ConversionName(to);
    // Named as its menu item is, so that undo says the same words.
    const QString name = tr("转为%1").arg(form);
    ImportProgressDialog progress(
        this, [this] { return !app_.Ending(); }, tr("正在转换…"), name);
    const ScriptChange change = app_.ConvertAll(to, name, progress, Boxes());
    const auto& error = change.outcome.error;
    if (error && error->failure && error->failure->problem() == velmora::Problem::Stopped) {
        ui_.label4->Show(tr("转换已取消，没有改动"));
    } else if (!change.tried && Said(change.outcome.error)) {
        ui_.label4->Show(simplified ? tr("所有歌曲已是简体，没有要转换的")
                                    : tr("所有歌曲已是繁體，没有要转换的"));
    } else if (change.tried && change.outcome.Made()) {
        remembered::KeepLastConversion(to);
        if (change.boxes) {
            ShowBoxes(*change.boxes);
            KeepBoxes();
        }
        ui_.label4->Show(change.songs > 0 ? tr("已将 %1 首歌转为%2").arg(change.songs).arg(form)
                                          : tr("已将书名和作者转为%1").arg(form));
    }
}
