#pragma once
// The question at the start when an earlier run left songs no book holds.

#include <QString>

#include "app/application.h"

// "上次还有 n 首歌没有做进电子书。要恢复吗？", how many of them a book does not hold when that run
// built one, and how many of its records could not be read, if any.
QString RestoreQuestion(const Application::Unbuilt& unbuilt);
