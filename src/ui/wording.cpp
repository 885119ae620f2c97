#include "wording.h"

#include <cerrno>
#include <cstring>

#include "text/code_page.h"
#include "text/limits.h"

namespace {

using velmora::Problem;

constexpr std::size_t kListedSkips = 20;

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "<what>：<path>（<reason>）"
QString About(const QString& what, const velmora::Failure& failure, const QString& reason) {
    QString text = what + QStringLiteral("：") + ElidedPath(failure.path());
    return reason.isEmpty() ? text : text + QStringLiteral("（") + reason + QStringLiteral("）");
}

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
        case EDQUOT:
            return QStringLiteral("磁盘空间不足");
        case EACCES:
        case EPERM:
            return QStringLiteral("没有权限");
        case EROFS:
            return QStringLiteral("只读文件系统");
        case ENOENT:
            return QStringLiteral("文件或文件夹不存在");
        case ENAMETOOLONG:
            return QStringLiteral("文件名太长");
        case EBUSY:
        case ETXTBSY:
            return QStringLiteral("文件正被占用");
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString SkipReason(const velmora::Failure& failure) {
    const QString detail = Utf8(failure.detail());
    switch (failure.problem()) {
        case Problem::NotImportable:
            return QStringLiteral("不是 .lrc、.txt 或 .epub 文件");
        case Problem::NotRegularFile:
            return QStringLiteral("不是普通文件");
        case Problem::Unreadable:
            return QStringLiteral("无法读取（") + Reason(failure.number()) + QStringLiteral("）");
        case Problem::TooLarge:
            return QStringLiteral("文件太大");
        case Problem::Empty:
            return QStringLiteral("文件是空的");
        case Problem::NotText:
            return QStringLiteral("不是文本文件");
        case Problem::NoLyric:
            return QStringLiteral("没有歌词");
        case Problem::LyricTooLong:
            return QStringLiteral("歌词太长");
        case Problem::NotZip:
            return QStringLiteral("不是 ZIP 文件");
        case Problem::ZipBroken:
            return QStringLiteral("ZIP 文件已损坏");
        case Problem::UnpacksTooLarge:
            return QStringLiteral("解压后太大，不像歌词本");
        case Problem::ForeignBook:
            return QStringLiteral("不是 Velmora 制作的歌词本");
        case Problem::MissingEntry:
            return QStringLiteral("缺少 ") + Elided(detail);
        case Problem::NotXml:
            return Elided(detail) + QStringLiteral(" 不是合格的 XML");
        case Problem::NotSongPage:
            return Elided(detail) + QStringLiteral(" 不是歌曲页");
        case Problem::SongWithoutText:
            return QStringLiteral("歌词本中有缺少歌名或歌词的歌曲页");
        case Problem::TooManyPages:
            return QStringLiteral("歌曲页太多：最多只能收录 %1 首歌").arg(velmora::kMaxSongs);
        case Problem::BookFull:
            return QStringLiteral("歌词本已满：最多只能收录 %1 首歌").arg(velmora::kMaxSongs);
        case Problem::BookPartlyIn:
            return QStringLiteral("歌词本已满，只收录了其中一部分歌曲");
        case Problem::AlreadyInList:
            return QStringLiteral("已在列表中");
        case Problem::SomeInList:
            return QStringLiteral("其中 %1 首已在列表中").arg(failure.number());
        case Problem::OutOfMemory:
            return QStringLiteral("内存不足");
        case Problem::Unexpected:
            return QStringLiteral("出错：") + Elided(detail, 200);
        case Problem::CannotWrite:
            return QStringLiteral("无法写入歌曲（") + Reason(failure.number()) +
                   QStringLiteral("）");
        default:
            return Wording(failure);
    }
}

QString Wording(const velmora::Failure& failure) {
    const int number = failure.number();
    switch (failure.problem()) {
        case Problem::CannotCreateFolder:
            return About(QStringLiteral("无法创建工作文件夹"), failure, Reason(number));
        case Problem::CannotReadTemplate:
            return QStringLiteral("文件无法读入！\n") + ElidedPath(failure.path());
        case Problem::CannotWrite:
            return About(QStringLiteral("无法写入文件"), failure, Reason(number));
        case Problem::CannotRemove:
            return About(QStringLiteral("无法删除文件"), failure, Reason(number));
        case Problem::CannotSaveBook:
            return About(QStringLiteral("无法保存电子书"), failure, Reason(number));
        case Problem::ArchiverMissing:
            return About(QStringLiteral("找不到压缩程序 7za"), failure,
                         QStringLiteral("PATH 中也没有"));
        case Problem::CannotStart:
            return About(QStringLiteral("无法启动程序"), failure, Reason(number));
        case Problem::ArchiverFailed:
            return QStringLiteral("压缩程序 7za 出错（退出状态 %1）：%2\n")
                       .arg(number)
                       .arg(Elided(Utf8(failure.detail()), 200)) +
                   ElidedPath(failure.path());
        case Problem::ArchiverKilled:
            return QStringLiteral("压缩程序 7za 被终止（信号 %1）：").arg(number) +
                   ElidedPath(failure.path());
        case Problem::ArchiverLost:
            return About(QStringLiteral("无法等待压缩程序 7za"), failure, Reason(number));
        case Problem::ArchiveUnexpected:
            return About(QStringLiteral("压缩程序 7za 写出的文件与预期不同"), failure, {});
        case Problem::CannotServe:
            return About(QStringLiteral("无法传到手机"), failure,
                         number != 0 ? Reason(number) : QStringLiteral("无法开始提供下载"));

        case Problem::CoverMissing:
            return About(QStringLiteral("无法使用封面"), failure, QStringLiteral("文件不存在"));
        case Problem::CoverNotAFile:
            return About(QStringLiteral("无法使用封面"), failure, QStringLiteral("不是文件"));
        case Problem::CoverUnreadable:
            return About(QStringLiteral("无法使用封面"), failure, Reason(number));
        case Problem::CoverTooLarge:
            return About(QStringLiteral("无法使用封面"), failure, QStringLiteral("图像太大"));
        case Problem::CoverNotAnImage:
            return About(QStringLiteral("无法使用封面"), failure,
                         QStringLiteral("不是可用的图像：") + Utf8(failure.detail()));
        case Problem::CoverNotEncoded:
            return About(QStringLiteral("无法使用封面"), failure,
                         QStringLiteral("无法转换为 JPEG：") + Utf8(failure.detail()));
        default:
            return ElidedPath(failure.path()) + QStringLiteral("：") + SkipReason(failure);
    }
}

QString RefusalText(velmora::Refusal refusal) {
    switch (refusal) {
        case velmora::Refusal::EmptyInput:
            return QStringLiteral("歌词和歌名不能为空。");
        case velmora::Refusal::BookFull:
            return QStringLiteral("歌词本已满：最多只能收录 %1 首歌。").arg(velmora::kMaxSongs);
        default:
            return {};
    }
}

QString PhaseText(velmora::BuildPhase phase) {
    using velmora::BuildPhase;
    switch (phase) {
        case BuildPhase::Started:
            return QStringLiteral("正在制作，请稍等...");
        case BuildPhase::PackageDocument:
            return QStringLiteral("输出content.opf...");
        case BuildPhase::NavigationDocument:
            return QStringLiteral("输出toc.ncx...");
        case BuildPhase::TitlePage:
            return QStringLiteral("输出titlepage.xhtml...");
        case BuildPhase::Cover:
            return QStringLiteral("输出封面...");
        case BuildPhase::Packing:
            return QStringLiteral("打包...");
        case BuildPhase::Done:
            return QStringLiteral("制作完成");
        case BuildPhase::Failed:
            break;
    }
    return QStringLiteral("制作失败");
}

QString ImportSummary(const velmora::ImportReport& report) {
    if (report.skipped.empty() && !report.cancelled) {
        return {};
    }
    QString summary = QStringLiteral("导入了 %1 首歌。").arg(report.songs);
    if (report.cancelled) {
        summary += QStringLiteral("导入已取消。");
    }
    if (report.skipped.empty()) {
        return summary;
    }
    summary += QStringLiteral("以下文件没有导入：");
    for (std::size_t i = 0; i < std::min(report.skipped.size(), kListedSkips); ++i) {
        const velmora::Failure& skipped = report.skipped[i];
        summary += QStringLiteral("\n") + ElidedPath(skipped.path()) + QStringLiteral("：") +
                   SkipReason(skipped);
    }
    if (report.skipped.size() > kListedSkips) {
        summary += QStringLiteral("\n……另有 %1 个文件。").arg(report.skipped.size() - kListedSkips);
    }
    return summary;
}
