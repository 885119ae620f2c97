#pragma once
// The package document epub/content.opf (OPF 2.0): metadata, manifest, spine, guide.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "workspace/song_collection.h"
#include "workspace/workspace.h"

namespace velmora {

// The template's line, then the generated lines for every song; the date is `stamp`.
std::u16string ComposePackageDocument(std::u16string_view templateLine, const SongCollection& songs,
                                      std::int64_t stamp);

// Composes it from the run's template and songs, dated by `clock`, and writes it as UTF-8.
// Raises a Failure.
void WritePackageDocument(const Workspace& run, const Clock& clock);

// "text/" and song n's page file name: where the documents point for song n.
std::u16string PageHref(const SongCollection& songs, int songNumber);

}  // namespace velmora
