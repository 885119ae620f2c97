#include "build_questions.h"

#include <QCoreApplication>

#include "message_boxes.h"
#include "wording.h"

namespace {

struct Questions {
    Q_DECLARE_TR_FUNCTIONS(Questions)
};

}  // namespace

bool Answered(QWidget* parent, BuildCheck& check, const QString& title) {
    for (const BuildQuestion question : check.plan.questions) {
        if (question == BuildQuestion::ReplaceEarlierBook) {
            const int answer = Choose(
                parent, ReplaceEarlierText(title, *check.facts.earlierBook, check.earlierBookDate),
                AppTitle(),
                {Questions::tr("替换"), Questions::tr("另存为新书"), Questions::tr("取消")}, 2);
            if (answer < 0 || answer == 2) {
                return false;
            }
            check.asNewBook = answer == 1;
            continue;
        }
        const QString text = question == BuildQuestion::ReplaceByEmptyBook
                                 ? ReplaceByEmptyText(title, check.facts.songsInBook)
                                 : Questions::tr("保存路径上已有这个文件：%1\n要用歌词本替换它吗？")
                                       .arg(ElidedPath(check.savePlace));
        if (!Ask(parent, text, AppTitle(), Questions::tr("替换"), Questions::tr("取消"), false)) {
            return false;
        }
    }
    return true;
}
