#include "ui/file_drops.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

#include "app/path_names.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

namespace {

// Each name as its bytes on Linux, not as text: a name from a Windows archive need not be
// UTF-8. On Windows a name is UTF-16, and the URL's text is the file's own ("C:/a", not "/C:/a").
std::vector<std::filesystem::path> LocalFiles(const QMimeData* data) {
    std::vector<std::filesystem::path> files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
#ifdef _WIN32
            files.push_back(PathOf(url.toLocalFile()));
#else
            const QByteArray path = url.path(QUrl::FullyEncoded).toLatin1();
            files.push_back(
                velmora::PathFromText(QByteArray::fromPercentEncoding(path).toStdString()));
#endif
        }
    }
    return files;
}

}  // namespace

std::filesystem::path LocalFile(const QString& path) {
    const std::filesystem::path given = PathOf(path);
    if (!path.contains(QChar::ReplacementCharacter) || velmora::Exists(given)) {
        return given;
    }
    for (const std::filesystem::path& entry : velmora::Entries(given.parent_path())) {
        if (NameOf(entry.filename()) == QFileInfo(path).fileName()) {
            return entry;
        }
    }
    return given;
}

FileDrops::FileDrops(QWidget* window, std::initializer_list<QObject*> targets) : QObject(window) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    for (QObject* target : targets) {
        target->installEventFilter(this);
    }
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QObject::eventFilter(watched, event);
    }
    auto* drop = static_cast<QDropEvent*>(event);
    const std::vector<std::filesystem::path> files = LocalFiles(drop->mimeData());
    if (files.empty()) {
        return QObject::eventFilter(watched, event);
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        QTimer::singleShot(0, this, [this, files] { emit dropped(files); });
    }
    return true;
}
