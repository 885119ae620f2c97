#include "ui/restore_question.h"

#include <QCoreApplication>

namespace {

// The window's own words (its translation context).
struct Words {
    Q_DECLARE_TR_FUNCTIONS(Form1)
};

}  // namespace

QString RestoreQuestion(const Application::Unbuilt& unbuilt) {
    QString question =
        unbuilt.notInBook
            ? Words::tr("上次有 %1 首歌，其中 %2 首还没做进电子书。要恢复吗？")
                  .arg(unbuilt.songs)
                  .arg(*unbuilt.notInBook)
            : Words::tr("上次还有 %1 首歌没有做进电子书。要恢复吗？").arg(unbuilt.songs);
    if (unbuilt.unreadable > 0) {
        question += Words::tr("\n（记录中有 %1 条无法读取，已跳过。）").arg(unbuilt.unreadable);
    }
    return question;
}
