#include <QApplication>
#include <cstdlib>

#include "form1.h"
#include "workspace/clock.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const velmora::SystemClock clock;
    QtFileDialogRunner dialogs;
    Form1 window(QCoreApplication::applicationDirPath().toStdString(), clock, dialogs);
    if (!window.Form_Load()) {
        return EXIT_FAILURE;
    }
    window.show();
    return QApplication::exec();
}
