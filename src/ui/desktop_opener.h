#pragma once
// Opens a path with the desktop's handler (xdg-open: a folder in the file manager, a book in
// the reader), watched without blocking: a path it cannot open is reported, never dropped.

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

#include "platform/child_process.h"
#include "text/message_sink.h"

class DesktopOpener : public QObject {
    Q_OBJECT

public:
    explicit DesktopOpener(velmora::MessageSink& messages);
    // Openers still running go on by themselves: the file manager outlives the program.
    ~DesktopOpener() override;

    // "无法打开：<path>" (caption "Velmora") when xdg-open is missing, fails or dies.
    void Open(const QString& path);

private:
    void Poll();
    void Report(const QString& path);

    struct Opening {
        std::unique_ptr<velmora::ChildProcess> process;
        QString path;
    };

    velmora::MessageSink& messages_;
    std::vector<Opening> openings_;
    QTimer timer_;
};
