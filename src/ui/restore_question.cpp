#include "ui/restore_question.h"

#include <QCoreApplication>

namespace {

// The window's own words (its translation context).
struct Words {
    Q_DECLARE_TR_FUNCTIONS(Form1)
};

}  // namespace

QString RestoreQuestion(const Application::Unbuilt& unbuilt) {
    QString question;
    if (unbuilt.songs == 0) {
        question = Words::tr("上次还有未添加的歌词。要恢复吗？");
    } else if (unbuilt.notInBook == 0 && unbuilt.typed) {
        question = Words::tr("上次有 %1 首歌，都已做进电子书，还有未添加的歌词。要恢复吗？")
                       .arg(unbuilt.songs);
    } else if (unbuilt.notInBook) {
        question =
            unbuilt.typed
                ? Words::tr(
                      "上次有 %1 首歌，其中 %2 首还没做进电子书，还有未添加的歌词。要恢复吗？")
                : Words::tr("上次有 %1 首歌，其中 %2 首还没做进电子书。要恢复吗？");
        question = question.arg(unbuilt.songs).arg(*unbuilt.notInBook);
    } else {
        question = unbuilt.typed
                       ? Words::tr("上次还有 %1 首歌没有做进电子书，还有未添加的歌词。要恢复吗？")
                       : Words::tr("上次还有 %1 首歌没有做进电子书。要恢复吗？");
        question = question.arg(unbuilt.songs);
    }
    if (unbuilt.unreadable > 0) {
        question += Words::tr("\n（记录中有 %1 条无法读取，已跳过。）").arg(unbuilt.unreadable);
    }
    return question;
}
