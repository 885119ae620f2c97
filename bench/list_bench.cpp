// The window's song list at 9,999 songs: one add, edit, removal and move each, timed with
// Qt's own work (the model's signals, the view's layout and a repaint), as a user sees it.
// Prints one JSON object of milliseconds. Runs on any Qt platform (offscreen by default).

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <filesystem>

#include "app/application.h"
#include "platform/clock.h"
#include "song_file.h"
#include "text/limits.h"
#include "ui/form1.h"

namespace {

namespace fs = std::filesystem;

class NoDialogs : public FileDialogRunner {
public:
    std::optional<QString> runSaveDialog(QWidget*, const QString&, const QStringList&,
                                         const QString&) override {
        return std::nullopt;
    }
    QStringList runOpenDialog(QWidget*, const QString&, const QStringList&, bool,
                              const QString&) override {
        return {};
    }
    std::optional<QString> runFolderDialog(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
};

// The change and everything Qt does for it, to the list painted anew.
template <typename Change>
double Timed(QListView* list, Change change) {
    QElapsedTimer timer;
    timer.start();
    change();
    QCoreApplication::processEvents();
    list->viewport()->repaint();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

fs::path ProgramFolder() {
    std::string pattern = (fs::temp_directory_path() / "velmora-list-XXXXXX").string();
    const fs::path root = ::mkdtemp(pattern.data());
    fs::copy(VELMORA_TEMPLATE_DIR, root / "template", fs::copy_options::recursive);
    fs::create_directory(root / "temp");
    fs::create_directory(root / "finished");
    return root;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const fs::path root = ProgramFolder();
    const velmora::SystemClock clock;
    NoDialogs dialogs;
    QtMessageBoxRunner boxes;
    Application services(root, clock);
    Form1 window(services, dialogs, boxes);
    ChangeHistory& history = services.History();
    if (!window.Form_Load()) {
        return 1;
    }
    window.show();
    auto* list = window.findChild<QListView*>(QStringLiteral("List1"));
    const auto songs = velmora::songs::GenerateSongs(velmora::kMaxSongs, 30);
    QElapsedTimer filling;
    filling.start();
    for (int i = 0; i + 1 < velmora::kMaxSongs; ++i) {
        history.Add(
            {songs[static_cast<std::size_t>(i)].name, songs[static_cast<std::size_t>(i)].lyric});
    }
    QCoreApplication::processEvents();
    const double fillMs = static_cast<double>(filling.nsecsElapsed()) / 1e6;
    const int last = velmora::kMaxSongs;
    const double addMs = Timed(list, [&] { history.Add({songs.back().name, songs.back().lyric}); });
    const double editMs = Timed(list, [&] { history.Edit(1, {u"改过的歌", u"新的歌词"}); });
    list->setFocus();
    list->setCurrentIndex(list->model()->index(last - 1, 0));
    const double moveMs =
        Timed(list, [&] { QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier); });
    double twentyMs = 0;
    for (int i = 0; i < 20; ++i) {
        twentyMs += Timed(list, [&] { QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier); });
    }
    const double removeMs = Timed(list, [&] { history.Remove(1); });
    // 查找: the list narrowed by a text in no song, then in some, then whole again.
    auto* find = window.findChild<QLineEdit*>(QStringLiteral("Find1"));
    const double findNoneMs = Timed(list, [&] { find->setText(QStringLiteral("不在任何歌里")); });
    const double findSomeMs = Timed(list, [&] { find->setText(QStringLiteral("的")); });
    const double findClearMs = Timed(list, [&] { find->clear(); });
    const double undoMs = Timed(list, [&] { history.Undo(); });
    const double redoMs = Timed(list, [&] { history.Redo(); });
    double undoTwentyMs = 0;
    for (int i = 0; i < 22; ++i) {
        undoTwentyMs += Timed(list, [&] { history.Undo(); });
    }
    // The book, from the click to the status that says it is made: the window's own wait
    // for the archiver included.
    auto* status = window.findChild<QLabel*>(QStringLiteral("Label4"));
    QElapsedTimer building;
    building.start();
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
    while (!status->text().startsWith(QStringLiteral("制作"))) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const double makeMs = static_cast<double>(building.nsecsElapsed()) / 1e6;
    std::printf(
        "{\"songs\": %d, \"fill_ms\": %.1f, \"add_ms\": %.2f, \"edit_ms\": %.2f, "
        "\"move_ms\": %.2f, \"move_up_twenty_ms\": %.2f, \"remove_ms\": %.2f, "
        "\"find_none_ms\": %.2f, \"find_some_ms\": %.2f, \"find_cleared_ms\": %.2f, "
        "\"undo_ms\": %.2f, \"redo_ms\": %.2f, \"undo_last_22_ms\": %.2f, \"make_ms\": %.1f, "
        "\"made\": \"%s\"}\n",
        last, fillMs, addMs, editMs, moveMs, twentyMs, removeMs, findNoneMs, findSomeMs,
        findClearMs, undoMs, redoMs, undoTwentyMs, makeMs, status->text().toUtf8().constData());
    fs::remove_all(root);
    return 0;
}
