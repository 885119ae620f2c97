#pragma once
// The questions before a build, asked in their order, and their words: why 开始制作 builds
// nothing, and what is asked before a book is replaced.

#include <QString>

#include "app/application.h"

class MessageBoxes;
class QWidget;

// True when each question was answered yes (or, for a book this run did not build,
// 另存为新书, which `check` then says).
bool Answered(QWidget* parent, MessageBoxes& boxes, BuildCheck& check, const QString& title);

// Why 开始制作 builds nothing; empty for none.
QString BuildRefusalText(BuildRefusal refusal);
// Whether a book of `title` with that many songs (-1: not one of ours) is to be replaced by
// a book without songs.
QString ReplaceByEmptyText(const QString& title, int songsInBook);
// The question before a book in finished/ that this run did not build is replaced.
QString ReplaceEarlierText(const QString& title, int songsInBook, const std::u16string& madeAt);
