#pragma once
// The navigation document epub/toc.ncx (NCX): the book title and one point per song.

#include "text/message_sink.h"
#include "workspace/workspace.h"

namespace velmora {

// The template, then the title and the navigation map labelled with the song names
// (XML-escaped), re-encoded to UTF-8. A missing template is reported through `messages`;
// a target that cannot be written raises a Failure.
void WriteNavigationDocument(const Workspace& run, MessageSink& messages);

}  // namespace velmora
