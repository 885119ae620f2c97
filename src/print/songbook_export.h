#pragma once
// The songbook written out as a PDF file, in a font that has Chinese.

#include <QString>
#include <filesystem>

#include "print/print_options.h"
#include "print/songbook_layout.h"

namespace velmora {

// Lays the songbook out and saves it at `path` as a file the user keeps (whole or not at all).
// Raises a Failure: NoChineseFont when no installed font has Chinese, CannotSavePdf with the
// errno when the file cannot be written.
void ExportSongbook(const Songbook& songbook, const PrintOptions& options,
                    const std::filesystem::path& path, const QString& creator);

// The font for the songbook's script; raises a Failure (NoChineseFont) when there is none.
QString SongbookFamily(const Songbook& songbook);

}  // namespace velmora
