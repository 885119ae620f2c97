#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

bool IsTraditional(const QLocale& locale) {
    return locale.script() == QLocale::TraditionalHanScript ||
           locale.territory() == QLocale::Taiwan || locale.territory() == QLocale::HongKong ||
           locale.territory() == QLocale::Macao;
}

bool Install(QCoreApplication& app, const QString& file, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (translator->load(file, folder) && QCoreApplication::installTranslator(translator)) {
        return true;
    }
    delete translator;
    return false;
}

}  // namespace

QString ProgramLanguage(const QStringList& uiLanguages) {
    for (const QString& name : uiLanguages) {
        const QLocale locale(name);
        if (locale.language() == QLocale::Chinese) {
            return IsTraditional(locale) ? QStringLiteral("zh_TW") : QString();
        }
        if (locale.language() == QLocale::English) {
            return QStringLiteral("en");
        }
    }
    return {};
}

QLocale LocaleOf(const QString& language) {
    if (language == QLatin1String("zh_TW")) {
        return QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan);
    }
    if (language == QLatin1String("en")) {
        return QLocale(QLocale::English, QLocale::UnitedStates);
    }
    return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
}

bool InstallTranslations(QCoreApplication& app, const QString& language) {
    // Qt's English is its source text: its translation file holds nothing, and loads as none.
    Install(app, QStringLiteral("qtbase_") + LocaleOf(language).name(),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return language.isEmpty() ||
           Install(app, QStringLiteral("velmora_") + language, QStringLiteral(":/i18n"));
}
