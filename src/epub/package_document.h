#pragma once
// The package document epub/content.opf (OPF 2.0): metadata, manifest, spine, guide.

#include <cstdint>
#include <string>
#include <string_view>

#include "epub/book_info.h"
#include "platform/clock.h"
#include "workspace/song_collection.h"
#include "workspace/workspace.h"

namespace velmora {

// When the book is made: local seconds (the default book's date), and the moment in UTC
// (a named book's W3C date).
struct BuildTime {
    std::int64_t local = 0;
    std::int64_t utc = 0;
};

// The document's bytes, UTF-8 with a byte-order mark: the template's line, then the generated
// lines for every song. The default book is dated
// by its local seconds and keeps the template's lines as they always were; a named book has
// its title, author and identifiers, a W3C date, and none of the lines a validator refuses
// (the empty dc:identifier, dc:x-metadata, the empty tour).
std::string ComposePackageDocument(std::u16string_view templateLine, const SongCollection& songs,
                                   BuildTime time, const BookInfo& book = {});

// Composes it from the run's template and songs, dated by `clock`, and writes it as UTF-8.
// Raises a Failure.
void WritePackageDocument(const Workspace& run, const Clock& clock, const BookInfo& book);

// "text/" and song n's page file name: where the documents point for song n.
std::string PageHref(const SongCollection& songs, int songNumber);

// The template's line with the book's own identifier in place of the template's UUID.
std::u16string WithBookUuid(std::u16string_view templateLine, const BookInfo& book);

}  // namespace velmora
