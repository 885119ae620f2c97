#include "ui/wording.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

#include "text/failure.h"

namespace {

// The context of every text here, for the translators.
class Words {
    Q_DECLARE_TR_FUNCTIONS(Words)
};

}  // namespace

QString Elided(const QString& text, int most) {
    if (text.size() <= most) {
        return text;
    }
    const int head = (most - 1) * 2 / 3;
    const int tail = most - 1 - head;
    // Never between the two halves of a surrogate pair.
    int start = head;
    if (text.at(start - 1).isHighSurrogate()) {
        --start;
    }
    int end = static_cast<int>(text.size()) - tail;
    if (text.at(end).isLowSurrogate()) {
        ++end;
    }
    return text.left(start) + QStringLiteral("…") + text.mid(end);
}

QString Elided(const std::u16string& text, int most) {
    const auto m = static_cast<std::size_t>(most);
    if (text.size() <= m) {
        return QString::fromStdU16String(text);
    }
    // Only the two ends are copied: a million-character name costs nothing here.
    return Elided(QString::fromStdU16String(text.substr(0, m)) +
                      QString::fromStdU16String(text.substr(text.size() - m)),
                  most);
}

QString ElidedPath(const std::filesystem::path& path) {
    return Elided(velmora::PathText(path));
}

QString Reason(int error) {
    switch (error) {
        case ENOSPC:
#ifdef EDQUOT  // Windows has no quotas of this kind
        case EDQUOT:
#endif
            return Words::tr("磁盘空间不足");
        case EACCES:
        case EPERM:
            return Words::tr("没有权限");
        case EROFS:
            return Words::tr("只读文件系统");
        case ENOENT:
            return Words::tr("文件或文件夹不存在");
        case ENAMETOOLONG:
            return Words::tr("文件名太长");
        case EISDIR:
            return Words::tr("是一个文件夹");
        case ELOOP:
            return Words::tr("符号链接构成循环");
        case EINVAL:
            return Words::tr("不是普通文件");
        case EBUSY:
        case ETXTBSY:
            return Words::tr("文件正被占用");
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString PhaseText(velmora::BuildPhase phase) {
    using velmora::BuildPhase;
    switch (phase) {
        case BuildPhase::Started:
            return Words::tr("正在制作，请稍等...");
        case BuildPhase::PackageDocument:
            return Words::tr("输出content.opf...");
        case BuildPhase::NavigationDocument:
            return Words::tr("输出toc.ncx...");
        case BuildPhase::TitlePage:
            return Words::tr("输出titlepage.xhtml...");
        case BuildPhase::Cover:
            return Words::tr("输出封面...");
        case BuildPhase::Packing:
            return Words::tr("打包...");
        case BuildPhase::Done:
            return Words::tr("制作完成");
        case BuildPhase::Failed:
            break;
    }
    return Words::tr("制作失败");
}

QString AppTitle() {
    return QStringLiteral("Velmora");
}

QString HintTitle() {
    return Words::tr("提示");
}
