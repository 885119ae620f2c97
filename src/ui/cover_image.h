#pragma once
// The cover the cover box asks for, made into the book's cover.jpeg where the toolkit's
// image readers are: the core gets finished JPEG bytes.

#include <QString>
#include <optional>
#include <string>

// Nothing when the box asks for the template's cover (empty, or still "Text4"). A sound JPEG
// of at most 2,560 pixels on its long side and 5 MiB, stored upright, comes as it is; any
// other image is turned upright as its EXIF orientation says, scaled down to that size
// (aspect kept), flattened onto white and encoded as JPEG. Raises a Failure naming the file
// and the reason when it cannot be used: a JPEG cut short or corrupt among them.
std::optional<std::string> CoverJpeg(const QString& box);
