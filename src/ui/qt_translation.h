#pragma once
// Qt's own translation (standard dialogs, message box buttons, the edit boxes' menus), so
// that they speak the user's language as the program's own texts speak Chinese.

#include <QLocale>

class QCoreApplication;
class QTranslator;

// Loads qtbase_<locale> from Qt's translations folder and installs it (owned by the
// application); nullptr when there is none for that locale.
QTranslator* InstallQtTranslation(QCoreApplication& app, const QLocale& locale);
