#include "import_dialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kImportFolderKey = QStringLiteral("importFolder");

// The window's own words (its translation context).
struct Titles {
    Q_DECLARE_TR_FUNCTIONS(Form1)
};

}  // namespace

QStringList ImportDialogs::ChooseFiles(QWidget* parent) {
    QSettings remembered;
    const QStringList files = runner_.runOpenDialog(
        parent, Titles::tr("导入歌曲"),
        NameFilters(Titles::tr(
            "歌词和音乐文件(*.lrc;*.txt;*.epub;*.mp3;*.flac;*.ogg;*.opus;*.m4a;*.mp4;*.ape;*.wv)|*."
            "lrc;*.txt;*.epub;*.mp3;*.flac;*.ogg;*.opus;*.m4a;*.mp4;*.ape;*.wv|所有文件(*)|*")),
        true, remembered.value(kImportFolderKey).toString());
    if (!files.isEmpty()) {
        remembered.setValue(kImportFolderKey, QFileInfo(files.first()).absolutePath());
    }
    return files;
}

QStringList ImportDialogs::ChooseFolder(QWidget* parent) {
    QSettings remembered;
    const auto folder = runner_.runFolderDialog(parent, Titles::tr("导入文件夹"),
                                                remembered.value(kImportFolderKey).toString());
    if (!folder) {
        return {};
    }
    remembered.setValue(kImportFolderKey, *folder);
    return {*folder};
}
