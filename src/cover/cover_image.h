#pragma once
// The cover the cover box asks for, made into the book's cover.jpeg where the toolkit's
// image readers are: the core gets finished JPEG bytes.

#include <QString>
#include <filesystem>
#include <optional>
#include <string>

// The cover box's text at the start: it asks for the template's cover, as an empty box does.
inline constexpr char16_t kCoverBoxStart[] = u"Text4";
bool AsksForTemplateCover(const std::u16string& coverBox);

// Nothing when the box asks for the template's cover (empty, or still "Text4"). A sound JPEG
// of at most 2,560 pixels on its long side and 5 MiB, stored upright, comes as it is; any
// other image is turned upright as its EXIF orientation says, scaled down to that size
// (aspect kept), flattened onto white and encoded as JPEG. Raises a Failure naming the file
// and the reason when it cannot be used: a JPEG cut short or corrupt among them.
std::optional<std::string> CoverJpeg(const QString& box);
// The same for the bytes of the file at `path`, read already: a file's whole way but its
// reading (what the fuzzers feed).
std::string CoverJpeg(std::string bytes, const std::filesystem::path& path);
