#include "ui/dialogs/build_questions.h"

#include <QCoreApplication>
#include <QDateTime>

#include "ui/message_boxes.h"
#include "ui/wording.h"

namespace {

struct Questions {
    Q_DECLARE_TR_FUNCTIONS(Questions)
};

// The context of the questions' own texts, for the translators.
class Words {
    Q_DECLARE_TR_FUNCTIONS(Words)
};

}  // namespace

bool Answered(QWidget* parent, MessageBoxes& boxes, BuildCheck& check, const QString& title) {
    for (const BuildQuestion question : check.plan.questions) {
        if (question == BuildQuestion::ReplaceEarlierBook) {
            const int answer = boxes.Choose(
                parent, ReplaceEarlierText(title, *check.facts.earlierBook, check.earlierBookDate),
                AppTitle(),
                {Questions::tr("替换"), Questions::tr("另存为新书"), Questions::tr("取消")}, 2);
            if (answer < 0 || answer == 2) {
                return false;
            }
            check.asNewBook = answer == 1;
            continue;
        }
        if (question == BuildQuestion::MakeSaveFolder) {
            if (!boxes.Ask(parent,
                           Questions::tr("文件夹不存在，要新建吗？\n%1")
                               .arg(ElidedPath(check.savePlace.parent_path())),
                           AppTitle(), Questions::tr("新建"), Questions::tr("取消"), true)) {
                return false;
            }
            continue;
        }
        const QString text = question == BuildQuestion::ReplaceByEmptyBook
                                 ? ReplaceByEmptyText(title, check.facts.songsInBook)
                                 : Questions::tr("保存路径上已有这个文件：%1\n要用歌词本替换它吗？")
                                       .arg(ElidedPath(check.savePlace));
        if (!boxes.Ask(parent, text, AppTitle(), Questions::tr("替换"), Questions::tr("取消"),
                       false)) {
            return false;
        }
    }
    return true;
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
