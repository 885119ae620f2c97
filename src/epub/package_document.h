#pragma once
// The package document epub/content.opf (OPF 2.0): metadata, manifest, spine, guide.

#include "text/message_sink.h"
#include "workspace/clock.h"
#include "workspace/workspace.h"

namespace velmora {

// The template, then the generated lines for every song of the run, re-encoded to UTF-8.
// The date is the build stamp from `clock`. A missing template is reported through
// `messages`; a target that cannot be written raises a Failure.
void WritePackageDocument(const Workspace& run, const Clock& clock, MessageSink& messages);

}  // namespace velmora
