#pragma once
// The window's modal boxes: a message with an OK button, and a question with two buttons.

#include <QString>

class QWidget;

void Tell(QWidget* parent, const QString& text, const QString& title);
// True for `yes`; Esc answers `no`.
bool Ask(QWidget* parent, const QString& text, const QString& title, const QString& yes,
         const QString& no, bool yesIsDefault);
