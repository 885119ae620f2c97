#include <QSignalSpy>
#include <QUuid>
#include <QtTest>
#include <future>

#include "app/single_instance.h"
#include "platform/file_system.h"

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using Files = std::vector<fs::path>;
Q_DECLARE_METATYPE(Files)

// A second start and the program that runs, as two ends in one process: the second's
// hand-over runs on a thread of its own while the first's event loop takes it.
class SingleInstanceTest : public QObject {
    Q_OBJECT

    static QString Fresh() { return "velmora-test-" + QUuid::createUuid().toString(QUuid::Id128); }

private slots:
    void namesTellUsersAndFoldersApart() {
        const QString name = SingleInstance::NameFor("/home/a", "/opt/velmora");
        QCOMPARE(SingleInstance::NameFor("/home/a/", "/opt/velmora/"), name);
        QVERIFY(SingleInstance::NameFor("/home/b", "/opt/velmora") != name);
        QVERIFY(SingleInstance::NameFor("/home/a", "/opt/velmora2") != name);
        QVERIFY(name.startsWith("velmora-") && name.size() == 24);
    }

    // The files come whole (Chinese, spaces, relative ones from the root); a start without
    // files comes too, to bring the window forward. With nobody listening, nothing is taken.
    void theRunningProgramTakesTheFiles() {
        const QString name = Fresh();
        SingleInstance second(name);
        QVERIFY(!second.HandOver({}));
        SingleInstance first(name);
        QVERIFY(first.Listen());
        QSignalSpy started(&first, &SingleInstance::started);
        const Files given{fs::path(u8"歌 词/月亮.lrc"), fs::path("a b.txt")};
        for (const Files& files : {given, Files{}}) {
            auto handed = std::async(std::launch::async, [&] { return second.HandOver(files); });
            QTRY_COMPARE(started.size(), 1);
            QVERIFY(handed.get());
            Files expected;
            for (const fs::path& file : files) {
                expected.push_back(velmora::Absolute(file));
            }
            QCOMPARE(started.takeFirst().at(0).value<Files>(), expected);
        }
    }

#ifndef _WIN32
    // A socket left by a program that was killed is taken over.
    void aSocketLeftBehindIsTakenOver() {
        const QString name = Fresh();
        const QByteArray path = QDir(QDir::tempPath()).filePath(name).toLocal8Bit();
        const int left = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
        QCOMPARE(::bind(left, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(left);
        SingleInstance first(name);
        QVERIFY(first.Listen());
        QSignalSpy started(&first, &SingleInstance::started);
        SingleInstance second(name);
        auto handed = std::async(std::launch::async, [&] { return second.HandOver({}); });
        QTRY_COMPARE(started.size(), 1);
        QVERIFY(handed.get());
    }
#endif
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
