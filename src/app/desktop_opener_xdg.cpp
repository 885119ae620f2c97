// The desktop on Linux: xdg-open, and the file manager through its D-Bus service.
#include "app/desktop_opener.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QFileInfo>
#include <QUrl>

#include "platform/file_system.h"

void DesktopOpener::Open(const QString& path) {
    const auto program = velmora::FindProgram("xdg-open");
    if (!program) {
        report_(path);
        return;
    }
    // The user's own environment: the handler it picks depends on it. It outlives us: the
    // file manager it starts stays open when the program ends.
    auto process = std::make_unique<velmora::ChildProcess>(
        *program, std::vector<std::string>{path.toStdString()},
        velmora::ProcessOptions{{}, false, false, false});
    if (process->startError() != 0) {
        report_(path);
        return;
    }
    openings_.push_back({std::move(process), path});
    timer_.start();
}

void DesktopOpener::ShowInFolder(const QString& file) {
    const QString folder = QFileInfo(file).absolutePath();
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected()) {
        Open(folder);
        return;
    }
    // Asked without waiting: a slow file manager never holds the window.
    QDBusMessage show = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    show << QStringList{QUrl::fromLocalFile(file).toString()} << QString();
    auto* answer = new QDBusPendingCallWatcher(session.asyncCall(show), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this, folder](QDBusPendingCallWatcher* done) {
                if (done->isError()) {
                    Open(folder);
                }
                done->deleteLater();
            });
}
