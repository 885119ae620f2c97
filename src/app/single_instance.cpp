#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

#include "platform/file_system.h"
#include "platform/path_text.h"

namespace {

// How long a second start waits for the running one; a program that hangs is not waited on.
constexpr int kWaitMs = 2000;
// The most a second start may hand over: paths, one a line.
constexpr qint64 kLargestMessage = 1 << 20;

}  // namespace

QString SingleInstance::NameFor(const QString& home, const QString& programFolder) {
    const QByteArray key =
        (QDir::cleanPath(home) + u'\n' + QDir::cleanPath(programFolder)).toUtf8();
    return QStringLiteral("velmora-") +
           QString::fromLatin1(
               QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            Take(socket);
        }
    });
}

bool SingleInstance::HandOver(const std::vector<std::filesystem::path>& files) const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kWaitMs)) {
        return false;
    }
    // A path's own bytes (UTF-8 on Windows), each ended by a NUL no path holds.
    QByteArray message;
    for (const std::filesystem::path& file : files) {
        message += QByteArray::fromStdString(velmora::Absolute(file).string());
        message += '\0';
    }
    socket.write(message);
    socket.disconnectFromServer();
    return socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(kWaitMs);
}

bool SingleInstance::Listen() {
    // Only this user may start it. Made aside and renamed into place, a socket left by a
    // program that was killed is replaced.
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(name_);
}

void SingleInstance::Take(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
        const QByteArray message = socket->readAll();
        socket->deleteLater();
        std::vector<std::filesystem::path> files;
        for (const QByteArray& name : message.split('\0')) {
            if (!name.isEmpty()) {
                files.push_back(velmora::PathFromText(name.toStdString()));
            }
        }
        // An empty hand-over is a start without files, or the check for a server left over.
        emit started(files);
    });
    connect(socket, &QLocalSocket::readyRead, this, [socket] {
        if (socket->bytesAvailable() > kLargestMessage) {
            socket->abort();
        }
    });
}
