// The desktop on Windows: the shell's handler for a path, and Explorer for a file shown in
// its folder.
#include "app/desktop_opener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "platform/file_system.h"

void DesktopOpener::Open(const QString& path) {
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        report_(path);
    }
}

// Explorer's exit code says nothing (it is 1 when all went well): only a start that fails
// is reported, and it goes on by itself.
void DesktopOpener::ShowInFolder(const QString& file) {
    const auto explorer = velmora::FindProgram("explorer");
    if (!explorer) {
        Open(QFileInfo(file).absolutePath());
        return;
    }
    velmora::ChildProcess process(*explorer,
                                  {"/select,", QDir::toNativeSeparators(file).toStdString()},
                                  velmora::ProcessOptions{{}, false, false, false});
    if (process.startError() != 0) {
        Open(QFileInfo(file).absolutePath());
        return;
    }
    process.Release();
}
