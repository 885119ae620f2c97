#include "desktop_opener.h"

#include <QDBusInterface>
#include <QFileInfo>
#include <QUrl>

#include "platform/file_system.h"

namespace {

constexpr int kPollMs = 100;

}  // namespace

DesktopOpener::DesktopOpener(Report report) : report_(std::move(report)) {
    timer_.setInterval(kPollMs);
    connect(&timer_, &QTimer::timeout, this, &DesktopOpener::Poll);
}

DesktopOpener::~DesktopOpener() {
    for (Opening& opening : openings_) {
        opening.process->Release();
    }
}

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
    QDBusInterface manager(QStringLiteral("org.freedesktop.FileManager1"),
                           QStringLiteral("/org/freedesktop/FileManager1"),
                           QStringLiteral("org.freedesktop.FileManager1"));
    const QStringList items{QUrl::fromLocalFile(file).toString()};
    if (!manager.isValid() || manager.call(QStringLiteral("ShowItems"), items, QString()).type() ==
                                  QDBusMessage::ErrorMessage) {
        Open(QFileInfo(file).absolutePath());
    }
}

void DesktopOpener::Poll() {
    // Taken out before reporting: the message box runs an event loop that may poll again.
    std::vector<QString> failed;
    for (auto it = openings_.begin(); it != openings_.end();) {
        if (const auto exit = it->process->Poll()) {
            if (!exit->succeeded()) {
                failed.push_back(it->path);
            }
            it = openings_.erase(it);
        } else {
            ++it;
        }
    }
    if (openings_.empty()) {
        timer_.stop();
    }
    for (const QString& path : failed) {
        report_(path);
    }
}
