#pragma once
// What the window says after an import: how many songs came in and which files were
// skipped, and why.

#include <QString>

#include "import/importer.h"

// The songs that came in, the files skipped with their reasons, those that did not come in
// for want of room to write them, and those with characters that could not be read (the
// first 20 of each, then a count); empty when nothing was skipped or misread and nothing
// cancelled.
QString ImportSummary(const velmora::ImportReport& report);
