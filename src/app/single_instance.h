#pragma once
// One window a user: a second start hands the files it was given to the running program
// (a local socket, named for the user and the program folder) and ends; the running one
// brings its window to the front and imports them.

#include <QLocalServer>
#include <QObject>
#include <filesystem>
#include <vector>

class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The name of the program in `programFolder` for the user whose home is `home`.
    static QString NameFor(const QString& home, const QString& programFolder);

    explicit SingleInstance(QString name, QObject* parent = nullptr);

    // True when a running program took the files (none: only to come to the front).
    bool HandOver(const std::vector<std::filesystem::path>& files) const;
    // From now on a second start reaches this program; false when it cannot listen (the
    // program runs all the same, as one of two).
    bool Listen();

signals:
    // A second start came, with these files (from the root, as the system named them).
    void started(const std::vector<std::filesystem::path>& files);

private:
    void Take(QLocalSocket* socket);

    QString name_;
    QLocalServer server_;
};
