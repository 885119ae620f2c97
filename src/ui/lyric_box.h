#pragma once
// The lyric in a box of several lines, kept exactly as typed: lines end in CR LF, as the
// platform gives them, and nothing else is changed (toPlainText() would turn non-breaking
// spaces into blanks).

#include <string>

class QEvent;
class QPlainTextEdit;

std::u16string TypedLyric(const QPlainTextEdit& box);
// Puts a lyric into the box as if it had been typed there.
void ShowLyric(QPlainTextEdit& box, const std::u16string& lyric);
// Ctrl+Enter in a lyric box does what its window's button does: adds, or confirms.
bool IsCtrlEnter(const QEvent* event);
