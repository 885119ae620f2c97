#include "ui/import_summary.h"

#include <QCoreApplication>
#include <algorithm>

#include "ui/failure_wording.h"
#include "ui/wording.h"

namespace {

// The context of every text here, for the translators.
class Words {
    Q_DECLARE_TR_FUNCTIONS(Words)
};

constexpr std::size_t kListedSkips = 20;

// The first lines of a list, one a line, and how many more there are.
template <typename Item, typename Line>
QString Listed(const std::vector<Item>& items, const Line& line) {
    QString listed;
    for (std::size_t i = 0; i < std::min(items.size(), kListedSkips); ++i) {
        listed += QStringLiteral("\n") + line(items[i]);
    }
    if (items.size() > kListedSkips) {
        listed += Words::tr("\n……另有 %1 个文件。").arg(items.size() - kListedSkips);
    }
    return listed;
}

}  // namespace

QString ImportSummary(const velmora::ImportReport& report) {
    if (report.skipped.empty() && report.misread.empty() && report.unwritten.empty() &&
        !report.cancelled) {
        return {};
    }
    QString summary = Words::tr("导入了 %1 首歌。").arg(report.songs);
    if (report.cancelled) {
        summary += Words::tr("导入已取消。");
    }
    if (!report.skipped.empty()) {
        summary +=
            Words::tr("以下文件没有导入：") +
            Listed(report.skipped, [](const velmora::Failure& skipped) {
                return Words::tr("%1：%2").arg(ElidedPath(skipped.path()), SkipReason(skipped));
            });
    }
    if (report.unwritable) {
        summary += (report.skipped.empty() ? QString() : QStringLiteral("\n")) +
                   Words::tr("以下 %1 个文件没有导入：%2")
                       .arg(report.unwritten.size())
                       .arg(Reason(report.unwritable->number())) +
                   Listed(report.unwritten, ElidedPath);
    }
    if (!report.misread.empty()) {
        summary += (report.skipped.empty() ? QString() : QStringLiteral("\n")) +
                   Words::tr("以下文件有无法识别的字符（显示为 �）：") +
                   Listed(report.misread, ElidedPath);
    }
    return summary;
}
