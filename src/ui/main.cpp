#include <QApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "app/application.h"
#include "app/language.h"
#include "app/path_names.h"
#include "app/single_instance.h"
#include "platform/clock.h"
#include "platform/termination_signals.h"
#include "ui/ending.h"
#include "ui/form1.h"

int main(int argc, char* argv[]) {
    QApplication qt(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    InstallTranslations(qt, ProgramLanguage(QLocale::system().uiLanguages()));
    // As the system gave them: a name in a legacy encoding keeps its bytes.
    const std::vector<std::filesystem::path> files = CommandLineFiles(argc, argv);
    // Started again, the program that runs takes the files, and comes to the front.
    SingleInstance instance(
        SingleInstance::NameFor(QDir::homePath(), QCoreApplication::applicationDirPath()));
    if (instance.HandOver(files)) {
        return EXIT_SUCCESS;
    }
    instance.Listen();
    const velmora::SystemClock clock;
    QtFileDialogRunner dialogs;
    QtMessageBoxRunner boxes;
    Application app(PathOf(QCoreApplication::applicationDirPath()), clock);
    Form1 window(app, dialogs, boxes);
    // SIGTERM, SIGINT and SIGHUP end the program as closing the window does, with a modal
    // box open too: the window goes with its archiver and temporary files.
    std::unique_ptr<QSocketNotifier> endRequests;
    bool ended = false;
    if (const int fd = velmora::CatchTerminationSignals(); fd >= 0) {
        endRequests = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(endRequests.get(), &QSocketNotifier::activated, &qt, [&, fd] {
            velmora::TakeTerminationSignal(fd);
            ended = true;
            app.EndRequested();
            EndNow();
        });
    }
    if (!window.Form_Load() || ended) {
        return EXIT_FAILURE;
    }
    window.show();
    QObject::connect(&instance, &SingleInstance::started, &window, &Form1::TakeStart);
    // Once the window is up: what an earlier run left unbuilt, then the files given on the
    // command line ("Open with Velmora").
    QTimer::singleShot(0, &window, [&window, files] {
        window.OfferRestore();
        window.Import(files);
    });
    return QApplication::exec();
}
