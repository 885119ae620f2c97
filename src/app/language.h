#pragma once
// The window's language, chosen from the system's preferred languages as Qt walks them: the
// first one the program speaks decides. Its texts are written in Simplified Chinese; it
// ships Traditional Chinese in Taiwan's usage (for Taiwan, Hong Kong and Macau) and English.
// The books do not change with it.

#include <QLocale>
#include <QStringList>

class QCoreApplication;

// "zh_TW", "en", or empty for the texts as written: every Chinese that is not Traditional,
// and every language the program does not ship (C among them).
QString ProgramLanguage(const QStringList& uiLanguages);

// The locale whose Qt translation goes with the program's language.
QLocale LocaleOf(const QString& language);

// Installs the program's translation for the language (none for the texts as written) and
// Qt's own for the same language (dialog and box buttons, the boxes' menus), where Qt has
// one. False when the program's own could not be loaded.
bool InstallTranslations(QCoreApplication& app, const QString& language);
