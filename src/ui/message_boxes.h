#pragma once
// The window's modal boxes: a message with an OK button, and a question with two or more.

#include <QString>
#include <QStringList>

class QWidget;

void Tell(QWidget* parent, const QString& text, const QString& title);
// True for `yes`; Esc answers `no`.
bool Ask(QWidget* parent, const QString& text, const QString& title, const QString& yes,
         const QString& no, bool yesIsDefault);
// The index of the button chosen, Esc choosing the last.
int Choose(QWidget* parent, const QString& text, const QString& title, const QStringList& buttons,
           int defaultButton);
