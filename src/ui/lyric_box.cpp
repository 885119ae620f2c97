#include "ui/lyric_box.h"

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
