#include "ui/import_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "ui/remembered.h"

namespace {

// The window's own words (its translation context).
struct Titles {
    Q_DECLARE_TR_FUNCTIONS(Form1)
};

// Where the user last imported from, else their music folder, else their home: never the
// folder the program happened to start in.
QString StartFolder() {
    const QString last = remembered::ImportFolder();
    if (!last.isEmpty()) {
        return last;
    }
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    return QFileInfo(music).isDir() ? music : QDir::homePath();
}

}  // namespace

QStringList ImportDialogs::ChooseFiles(QWidget* parent) {
    const QStringList files = runner_.runOpenDialog(
        parent, Titles::tr("导入歌曲"),
        NameFilters(Titles::tr(
            "歌词和音乐文件(*.lrc;*.txt;*.epub;*.mp3;*.flac;*.ogg;*.opus;*.m4a;*.mp4;*.ape;*.wv)|*."
            "lrc;*.txt;*.epub;*.mp3;*.flac;*.ogg;*.opus;*.m4a;*.mp4;*.ape;*.wv|所有文件(*)|*")),
        true, StartFolder());
    if (!files.isEmpty()) {
        remembered::KeepImportFolder(QFileInfo(files.first()).absolutePath());
    }
    return files;
}

QStringList ImportDialogs::ChooseFolder(QWidget* parent) {
    const auto folder = runner_.runFolderDialog(parent, Titles::tr("导入文件夹"), StartFolder());
    if (!folder) {
        return {};
    }
    remembered::KeepImportFolder(*folder);
    return {*folder};
}

QString ImportDialogs::ChooseBook(QWidget* parent, const QString& books) {
    const QStringList chosen =
        runner_.runOpenDialog(parent, Titles::tr("打开书"),
                              NameFilters(Titles::tr("电子出版(*.epub)|*.epub")), false, books);
    return chosen.value(0);
}
