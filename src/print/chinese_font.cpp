#include "print/chinese_font.h"

#include <QFontDatabase>
#include <QList>
#include <QStringList>

namespace velmora {
namespace {

bool WritesChinese(const QString& family, QFontDatabase::WritingSystem system) {
    return QFontDatabase::writingSystems(family).contains(system);
}

}  // namespace

std::optional<QString> ChineseFontFamily(Script script) {
    const bool traditional = script == Script::Traditional;
    const auto system =
        traditional ? QFontDatabase::TraditionalChinese : QFontDatabase::SimplifiedChinese;
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
    const QStringList installed = QFontDatabase::families(system);
    for (const QString& family : known) {
        if (installed.contains(family) && WritesChinese(family, system)) {
            return family;
        }
    }
    if (!installed.isEmpty()) {
        return installed.front();
    }
    return std::nullopt;
}

}  // namespace velmora
