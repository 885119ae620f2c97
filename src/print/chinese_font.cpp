#include "print/chinese_font.h"

#include <QFontDatabase>
#include <QList>

namespace velmora {

std::optional<QString> PreferredFamily(const QStringList& chinese, Script script) {
    const bool traditional = script == Script::Traditional;
    const QString region = traditional ? QStringLiteral("TC") : QStringLiteral("SC");
    const QStringList known{
        QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("Noto Sans CJK ") + region,
        QStringLiteral("Noto Serif CJK ") + region,
        QStringLiteral("Source Han Sans ") + region,
        QStringLiteral("Source Han Serif ") + region,
        traditional ? QStringLiteral("Microsoft JhengHei") : QStringLiteral("Microsoft YaHei"),
        traditional ? QStringLiteral("MingLiU") : QStringLiteral("SimSun")};
    for (const QString& family : known) {
        if (chinese.contains(family)) {
            return family;
        }
    }
    if (!chinese.isEmpty()) {
        return chinese.front();
    }
    return std::nullopt;
}

std::optional<QString> ChineseFontFamily(Script script) {
    const auto system = script == Script::Traditional ? QFontDatabase::TraditionalChinese
                                                      : QFontDatabase::SimplifiedChinese;
    QStringList chinese;
    for (const QString& family : QFontDatabase::families(system)) {
        // Listed under the script, and saying so itself: not a fallback's alias.
        if (QFontDatabase::writingSystems(family).contains(system)) {
            chinese << family;
        }
    }
    return PreferredFamily(chinese, script);
}

}  // namespace velmora
