#pragma once
// A named book's own cover, drawn afresh in the built-in cover's design: the same colours
// and frame, portrait at 1600×2560 as e-readers' screens are, with the book's title and
// author.

#include <QImage>
#include <optional>
#include <string>

#include "text/script_conversion.h"

// A 1600×2560 JPEG: the title wrapped onto up to three lines and shrunk to fit (never cut),
// "歌词本" under it (歌詞本 on a Traditional book), the author below. Marked as drawn, so that
// a book brought back in is known to carry no cover of the user's.
std::string DrawnCover(const std::u16string& title, const std::u16string& author,
                       velmora::Script script = velmora::Script::Simplified);
bool IsDrawnCover(const std::string& jpeg);

// The same design around a photo wider than it is tall: the title above it, the photo whole
// and unstretched in the middle, "歌词本" and the author below. Not marked: it is the user's.
std::string CoverWithPhoto(const std::u16string& title, const std::u16string& author,
                           const QImage& photo,
                           velmora::Script script = velmora::Script::Simplified);

// A named book's cover from the JPEG the cover box gave (CoverJpeg), or none: a portrait
// photo as it is, a wide one set in the design, and the drawn cover without one.
std::string NamedBookCover(const std::u16string& title, const std::u16string& author,
                           const std::optional<std::string>& chosen,
                           velmora::Script script = velmora::Script::Simplified);
