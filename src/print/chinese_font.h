#pragma once
// The font a songbook is printed in: one that has Chinese, never one without it.

#include <QString>
#include <QStringList>
#include <optional>

#include "text/script_conversion.h"

namespace velmora {

// Of the installed families that write Chinese, the first of those known to set it well
// (WenQuanYi, Noto CJK, Source Han; Microsoft YaHei or JhengHei, SimSun or MingLiU on
// Windows), the book's script's forms first; else the first of them; none when there is none.
std::optional<QString> PreferredFamily(const QStringList& chinese, Script script);

// PreferredFamily of the fonts installed here.
std::optional<QString> ChineseFontFamily(Script script);

}  // namespace velmora
