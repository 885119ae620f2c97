#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "form1.h"
#include "platform/clock.h"
#include "platform/termination_signals.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const velmora::SystemClock clock;
    QtFileDialogRunner dialogs;
    Form1 window(QCoreApplication::applicationDirPath().toStdString(), clock, dialogs);
    // SIGTERM, SIGINT and SIGHUP end the program as closing the window does, with a modal
    // box open too: the window goes with its archiver and temporary files.
    std::unique_ptr<QSocketNotifier> endRequests;
    if (const int fd = velmora::CatchTerminationSignals(); fd >= 0) {
        endRequests = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(endRequests.get(), &QSocketNotifier::activated, &app,
                         &QCoreApplication::quit);
    }
    if (!window.Form_Load()) {
        return EXIT_FAILURE;
    }
    window.show();
    // Files given on the command line ("Open with Velmora") come in once the window is up.
    QStringList files = QApplication::arguments();
    files.removeFirst();
    QTimer::singleShot(0, &window, [&window, files] { window.Import(files); });
    return QApplication::exec();
}
