#pragma once
// The font a songbook is printed in: one that has Chinese, never one without it.

#include <QString>
#include <optional>

#include "text/script_conversion.h"

namespace velmora {

// The first installed of the fonts known to set Chinese well (WenQuanYi, Noto CJK, Source
// Han; Microsoft YaHei, SimSun on Windows), those of the book's script first; else any
// installed family that writes Chinese; none when no font has it.
std::optional<QString> ChineseFontFamily(Script script);

}  // namespace velmora
