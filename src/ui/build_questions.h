#pragma once
// The questions before a build, asked in their order: true when each was answered yes (or,
// for a book this run did not build, 另存为新书, which `check` then says).

#include <QString>

#include "application.h"

class QWidget;

bool Answered(QWidget* parent, BuildCheck& check, const QString& title);
