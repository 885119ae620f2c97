#include "ui/failure_wording.h"

#include <QCoreApplication>

#include "text/limits.h"
#include "ui/wording.h"

namespace {

// The context of every text here, for the translators.
class Words {
    Q_DECLARE_TR_FUNCTIONS(Words)
};

using velmora::Failure;
using velmora::Problem;

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Detail(const Failure& failure, int most = 60) {
    return Elided(Utf8(failure.detail()), most);
}

// "<what>：<path>（<reason>）", without the parts a failure does not have.
QString About(const QString& what, const Failure& failure, const QString& reason) {
    if (failure.path().empty()) {
        return reason.isEmpty() ? what : Words::tr("%1（%2）").arg(what, reason);
    }
    const QString path = ElidedPath(failure.path());
    return reason.isEmpty() ? Words::tr("%1：%2").arg(what, path)
                            : Words::tr("%1：%2（%3）").arg(what, path, reason);
}

// Why a file brought in gave no songs; empty for a problem that is not a file's own.
QString FileReason(const Failure& failure) {
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
            return Words::tr("缺少 %1").arg(Detail(failure));
        case Problem::NotXml:
            return Words::tr("%1 不是合格的 XML").arg(Detail(failure));
        case Problem::NotSongPage:
            return Words::tr("%1 不是歌曲页").arg(Detail(failure));
        case Problem::PageTooComplex:
            return Words::tr("%1 的元素太多或嵌套太深").arg(Detail(failure));
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
            return Words::tr("出错：%1").arg(Detail(failure, 200));
        case Problem::CannotWrite:
            return Words::tr("无法写入歌曲（%1）").arg(Reason(failure.number()));
        case Problem::Stopped:
            return Words::tr("已取消");
        // Not a file's own: said whole.
        case Problem::CannotCreateFolder:
        case Problem::CannotReadTemplate:
        case Problem::CannotRemove:
        case Problem::CannotSaveBook:
        case Problem::EarlierRunUnreadable:
        case Problem::ArchiverMissing:
        case Problem::CannotStart:
        case Problem::ArchiverFailed:
        case Problem::ArchiverKilled:
        case Problem::ArchiverLost:
        case Problem::ArchiveUnexpected:
        case Problem::NoChineseFont:
        case Problem::CannotSavePdf:
        case Problem::CannotServe:
        case Problem::CannotConvert:
        case Problem::CoverMissing:
        case Problem::CoverNotAFile:
        case Problem::CoverUnreadable:
        case Problem::CoverTooLarge:
        case Problem::CoverNotAnImage:
        case Problem::CoverNotEncoded:
            break;
    }
    return {};
}

}  // namespace

QString Wording(const Failure& failure) {
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
        case Problem::EarlierRunUnreadable:
            return About(Words::tr("上次的工作无法读取，无法恢复"), failure, Reason(number));
        case Problem::ArchiverMissing:
            return About(Words::tr("找不到压缩程序 7za"), failure, Words::tr("PATH 中也没有"));
        case Problem::CannotStart:
            return About(Words::tr("无法启动程序"), failure, Reason(number));
        case Problem::ArchiverFailed:
            return Words::tr("压缩程序 7za 出错（退出状态 %1）：%2\n%3")
                .arg(QString::number(number), Detail(failure, 200), ElidedPath(failure.path()));
        case Problem::ArchiverKilled:
            return Words::tr("压缩程序 7za 被终止（信号 %1）：%2")
                .arg(QString::number(number), ElidedPath(failure.path()));
        case Problem::ArchiverLost:
            return About(Words::tr("无法等待压缩程序 7za"), failure, Reason(number));
        case Problem::ArchiveUnexpected:
            return About(Words::tr("压缩程序 7za 写出的文件与预期不同"), failure, {});
        case Problem::NoChineseFont:
            return About(Words::tr("没有可以印中文的字体，无法导出或打印"), failure,
                         Words::tr("请先安装中文字体，如文泉驿微米黑"));
        case Problem::CannotSavePdf:
            return About(Words::tr("无法保存 PDF"), failure, Reason(number));
        case Problem::CannotServe:
            return About(Words::tr("无法传到手机"), failure,
                         number != 0 ? Reason(number) : Words::tr("无法开始提供下载"));
        case Problem::CannotConvert:
            return About(Words::tr("无法载入简繁转换"), failure, Detail(failure, 200));
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
        // A file's own: its path, then why it gave no songs.
        case Problem::NotImportable:
        case Problem::NotRegularFile:
        case Problem::Unreadable:
        case Problem::TooLarge:
        case Problem::Empty:
        case Problem::NotText:
        case Problem::NoLyric:
        case Problem::LyricTooLong:
        case Problem::AudioWithoutLyric:
        case Problem::TagTooLarge:
        case Problem::AudioBroken:
        case Problem::NotZip:
        case Problem::ZipBroken:
        case Problem::UnpacksTooLarge:
        case Problem::ForeignBook:
        case Problem::MissingEntry:
        case Problem::NotXml:
        case Problem::NotSongPage:
        case Problem::PageTooComplex:
        case Problem::SongWithoutText:
        case Problem::TooManyPages:
        case Problem::BookFull:
        case Problem::BookPartlyIn:
        case Problem::AlreadyInList:
        case Problem::SomeInList:
        case Problem::OutOfMemory:
        case Problem::Unexpected:
        case Problem::Stopped:
            break;
    }
    const QString reason = FileReason(failure);
    return failure.path().empty() ? reason
                                  : Words::tr("%1：%2").arg(ElidedPath(failure.path()), reason);
}

QString SkipReason(const Failure& failure) {
    const QString reason = FileReason(failure);
    return reason.isEmpty() ? Wording(failure) : reason;
}

QString Wording(const CommandError& error) {
    if (error.failure) {
        return Wording(*error.failure);
    }
    return error.what.empty() ? Words::tr("操作未能完成：未知错误")
                              : Words::tr("操作未能完成：%1").arg(Utf8(error.what));
}

QString RefusalText(velmora::Refusal refusal) {
    switch (refusal) {
        case velmora::Refusal::EmptyInput:
            return Words::tr("歌词和歌名不能为空。");
        case velmora::Refusal::BookFull:
            return Words::tr("歌词本已满：最多只能收录 %1 首歌。").arg(velmora::kMaxSongs);
        case velmora::Refusal::TooLong:
            return Words::tr("太长了：歌名、歌手、词曲信息和歌词每项最多 %1 个字。")
                .arg(velmora::kLongestLyric);
        case velmora::Refusal::None:
        case velmora::Refusal::NoSuchSong:
            break;
    }
    return {};
}
