#pragma once
// Opens a path with the desktop's handler (xdg-open: a folder in the file manager, a book in
// the reader), watched without blocking: a path it cannot open is reported, never dropped.

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

#include <functional>
#include "platform/child_process.h"

class DesktopOpener : public QObject {
    Q_OBJECT

public:
    // Told of each path that could not be opened.
    using Report = std::function<void(const QString& path)>;

    explicit DesktopOpener(Report report);
    // Openers still running go on by themselves: the file manager outlives the program.
    ~DesktopOpener() override;

    // Reported when xdg-open is missing, fails or dies.
    void Open(const QString& path);
    // The file manager with the file selected, as the desktop's FileManager1 service shows
    // it; without that service, its folder opened.
    void ShowInFolder(const QString& file);

private:
    void Poll();

    struct Opening {
        std::unique_ptr<velmora::ChildProcess> process;
        QString path;
    };

    Report report_;
    std::vector<Opening> openings_;
    QTimer timer_;
};
