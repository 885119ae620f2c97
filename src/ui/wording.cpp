#include "wording.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cerrno>
#include <cstring>

#include "text/code_page.h"
#include "text/limits.h"

namespace {

// The context of every text here, for the translators.
class Words {
    Q_DECLARE_TR_FUNCTIONS(Words)
};

using velmora::Problem;

constexpr std::size_t kListedSkips = 20;

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "<what>：<path>（<reason>）"
QString About(const QString& what, const velmora::Failure& failure, const QString& reason) {
    const QString path = ElidedPath(failure.path());
    return reason.isEmpty() ? Words::tr("%1：%2").arg(what, path)
                            : Words::tr("%1：%2（%3）").arg(what, path, reason);
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

QString SkipReason(const velmora::Failure& failure) {
    const QString detail = Utf8(failure.detail());
    switch (failure.problem()) {
        case Problem::NotImportable:
            return Words::tr("不是 .lrc、.txt、.epub 或音频文件");
        case Problem::NotRegularFile:
            return Words::tr("不是普通文件");
        case Problem::Unreadable:
            return Words::tr("无法读取（%1）").arg(Reason(failure.number()));
        case Problem::TooLarge:
            return Words::tr("文件太大");
        case Problem::Empty:
            return Words::tr("文件是空的");
        case Problem::NotText:
            return Words::tr("不是文本文件");
        case Problem::NoLyric:
        case Problem::AudioWithoutLyric:
            return Words::tr("没有歌词");
        case Problem::LyricTooLong:
            return Words::tr("歌词太长");
        case Problem::TagTooLarge:
            return Words::tr("音频文件的标签太大");
        case Problem::AudioBroken:
            return Words::tr("音频文件已损坏");
        case Problem::NotZip:
            return Words::tr("不是 ZIP 文件");
        case Problem::ZipBroken:
            return Words::tr("ZIP 文件已损坏");
        case Problem::UnpacksTooLarge:
            return Words::tr("解压后太大，不像歌词本");
        case Problem::ForeignBook:
            return Words::tr("不是 Velmora 制作的歌词本");
        case Problem::MissingEntry:
            return Words::tr("缺少 %1").arg(Elided(detail));
        case Problem::NotXml:
            return Words::tr("%1 不是合格的 XML").arg(Elided(detail));
        case Problem::NotSongPage:
            return Words::tr("%1 不是歌曲页").arg(Elided(detail));
        case Problem::SongWithoutText:
            return Words::tr("歌词本中有缺少歌名或歌词的歌曲页");
        case Problem::TooManyPages:
            return Words::tr("歌曲页太多：最多只能收录 %1 首歌").arg(velmora::kMaxSongs);
        case Problem::BookFull:
            return Words::tr("歌词本已满：最多只能收录 %1 首歌").arg(velmora::kMaxSongs);
        case Problem::BookPartlyIn:
            return Words::tr("歌词本已满，只收录了其中一部分歌曲");
        case Problem::AlreadyInList:
            return Words::tr("已在列表中");
        case Problem::SomeInList:
            return Words::tr("其中 %1 首已在列表中").arg(failure.number());
        case Problem::OutOfMemory:
            return Words::tr("内存不足");
        case Problem::Unexpected:
            return Words::tr("出错：%1").arg(Elided(detail, 200));
        case Problem::CannotWrite:
            return Words::tr("无法写入歌曲（%1）").arg(Reason(failure.number()));
        default:
            return Wording(failure);
    }
}

QString Wording(const velmora::Failure& failure) {
    const int number = failure.number();
    switch (failure.problem()) {
        case Problem::CannotCreateFolder:
            return About(Words::tr("无法创建工作文件夹"), failure, Reason(number));
        case Problem::CannotReadTemplate:
            return Words::tr("文件无法读入！\n%1").arg(ElidedPath(failure.path()));
        case Problem::CannotWrite:
            return About(Words::tr("无法写入文件"), failure, Reason(number));
        case Problem::CannotRemove:
            return About(Words::tr("无法删除文件"), failure, Reason(number));
        case Problem::CannotSaveBook:
            return About(Words::tr("无法保存电子书"), failure, Reason(number));
        case Problem::EarlierRunTooLarge:
            return About(Words::tr("上次的工作太大，无法恢复"), failure, {});
        case Problem::EarlierRunUnreadable:
            return About(Words::tr("上次的工作无法读取，无法恢复"), failure, Reason(number));
        case Problem::ArchiverMissing:
            return About(Words::tr("找不到压缩程序 7za"), failure, Words::tr("PATH 中也没有"));
        case Problem::CannotStart:
            return About(Words::tr("无法启动程序"), failure, Reason(number));
        case Problem::ArchiverFailed:
            return Words::tr("压缩程序 7za 出错（退出状态 %1）：%2\n%3")
                .arg(QString::number(number), Elided(Utf8(failure.detail()), 200),
                     ElidedPath(failure.path()));
        case Problem::ArchiverKilled:
            return Words::tr("压缩程序 7za 被终止（信号 %1）：%2")
                .arg(QString::number(number), ElidedPath(failure.path()));
        case Problem::ArchiverLost:
            return About(Words::tr("无法等待压缩程序 7za"), failure, Reason(number));
        case Problem::ArchiveUnexpected:
            return About(Words::tr("压缩程序 7za 写出的文件与预期不同"), failure, {});
        case Problem::CannotServe:
            return About(Words::tr("无法传到手机"), failure,
                         number != 0 ? Reason(number) : Words::tr("无法开始提供下载"));
        case Problem::CannotConvert:
            return About(Words::tr("无法载入简繁转换"), failure,
                         Elided(Utf8(failure.detail()), 200));

        case Problem::CoverMissing:
            return About(Words::tr("无法使用封面"), failure, Words::tr("文件不存在"));
        case Problem::CoverNotAFile:
            return About(Words::tr("无法使用封面"), failure, Words::tr("不是文件"));
        case Problem::CoverUnreadable:
            return About(Words::tr("无法使用封面"), failure, Reason(number));
        case Problem::CoverTooLarge:
            return About(Words::tr("无法使用封面"), failure, Words::tr("图像太大"));
        case Problem::CoverNotAnImage:
            return About(Words::tr("无法使用封面"), failure,
                         Words::tr("不是可用的图像：%1").arg(Utf8(failure.detail())));
        case Problem::CoverNotEncoded:
            return About(Words::tr("无法使用封面"), failure,
                         Words::tr("无法转换为 JPEG：%1").arg(Utf8(failure.detail())));
        default:
            return Words::tr("%1：%2").arg(ElidedPath(failure.path()), SkipReason(failure));
    }
}

QString RefusalText(velmora::Refusal refusal) {
    switch (refusal) {
        case velmora::Refusal::EmptyInput:
            return Words::tr("歌词和歌名不能为空。");
        case velmora::Refusal::BookFull:
            return Words::tr("歌词本已满：最多只能收录 %1 首歌。").arg(velmora::kMaxSongs);
        default:
            return {};
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

QString ImportSummary(const velmora::ImportReport& report) {
    if (report.skipped.empty() && report.misread.empty() && !report.cancelled) {
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
    if (!report.misread.empty()) {
        summary += (report.skipped.empty() ? QString() : QStringLiteral("\n")) +
                   Words::tr("以下文件有无法识别的字符（显示为 �）：") +
                   Listed(report.misread, ElidedPath);
    }
    return summary;
}

QString AppTitle() {
    return QStringLiteral("Velmora");
}

QString HintTitle() {
    return Words::tr("提示");
}

QString Wording(const CommandError& error) {
    if (error.failure) {
        return Wording(*error.failure);
    }
    return error.what.empty() ? Words::tr("操作未能完成：未知错误")
                              : Words::tr("操作未能完成：%1").arg(Utf8(error.what));
}

QString BuildRefusalText(BuildRefusal refusal) {
    switch (refusal) {
        case BuildRefusal::Running:
            return Words::tr("正在制作，请等这一次制作完成。");
        case BuildRefusal::NoTitle:
            return Words::tr("书名不能为空。");
        case BuildRefusal::None:
            break;
    }
    return {};
}

QString ReplaceEarlierText(const QString& title, int songsInBook, const std::u16string& madeAt) {
    if (songsInBook < 0) {
        return Words::tr("成品文件夹里已有《%1》。要替换它吗？").arg(title);
    }
    // A book's own date: the wall clock's seconds, or a named book's UTC time.
    const QString date = QString::fromStdU16String(madeAt);
    bool seconds = false;
    const qint64 local = date.toLongLong(&seconds);
    const QDateTime at = seconds ? QDateTime::fromSecsSinceEpoch(local, Qt::UTC)
                                 : QDateTime::fromString(date, Qt::ISODate).toLocalTime();
    return Words::tr("成品文件夹里已有《%1》：%2 首歌，%3 制作。要替换它吗？")
        .arg(title)
        .arg(songsInBook)
        .arg(at.isValid() ? at.toString(QStringLiteral("yyyy-MM-dd HH:mm")) : date);
}

QString ReplaceByEmptyText(const QString& title, int songsInBook) {
    return songsInBook >= 0
               ? Words::tr("《%1》已有 %2 首歌。要用没有歌曲的歌词本替换它吗？")
                     .arg(title, QString::number(songsInBook))
               : Words::tr("《%1》已经存在。要用没有歌曲的歌词本替换它吗？").arg(title);
}
