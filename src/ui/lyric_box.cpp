#include "ui/lyric_box.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextDocument>

std::u16string TypedLyric(const QPlainTextEdit& box) {
    // Enter ends a paragraph (U+2029), Shift+Enter a line (U+2028).
    QString text = box.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text.toStdU16String();
}

void ShowLyric(QPlainTextEdit& box, const std::u16string& lyric) {
    QString text = QString::fromStdU16String(lyric);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setPlainText(text);
}

bool IsCtrlEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->modifiers() == Qt::ControlModifier &&
           (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
}
