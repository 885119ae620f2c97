#pragma once
// A named book's own cover, drawn afresh in the built-in cover's design: the same colours,
// frame and layout, with the book's title and author.

#include <string>

// A 600×800 JPEG: the title wrapped onto up to three lines and shrunk to fit (never cut), the
// author below. Marked as drawn, so that a book brought back in is known to carry no cover
// of the user's.
std::string DrawnCover(const std::u16string& title, const std::u16string& author);
bool IsDrawnCover(const std::string& jpeg);
