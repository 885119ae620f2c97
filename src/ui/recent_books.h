#pragma once
// The books made before, as the window offers them: 文件 → 最近的书 (a book whose file is
// gone greyed) and, under the empty list, the newest.

#include <QString>
#include <functional>

#include "ui/remembered.h"

class QMenu;
class QObject;

// The menu's items, one a book, the newest first; choosing one calls `open` (in `context`).
void FillRecentMenu(QMenu* menu, QObject* context,
                    const std::function<void(const remembered::RecentBook&)>& open);
// "继续编辑《我的最爱》（12 首，2026-12-08 制作）" for the newest book while its file is there;
// empty otherwise.
QString ReopenOfferText();
