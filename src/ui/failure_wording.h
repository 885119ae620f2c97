#pragma once
// The window's words for what the core and its services report as not done: a failure, with
// the file it concerns and the system's reason; why a file brought in gave no songs; a change
// refused. Every Problem has its words here, in a switch the compiler checks: a new one
// without them does not build.

#include <QString>

#include "app/attempt.h"
#include "text/failure.h"
#include "workspace/workspace.h"

// The whole message for a failure: what failed, the path (where it has one), and why.
QString Wording(const velmora::Failure& failure);
// Why an imported file gave no songs (the path not included); a failure that is not a file's
// own, as Wording says it.
QString SkipReason(const velmora::Failure& failure);

// What a command raised.
QString Wording(const CommandError& error);

// The message for a change that was refused; empty for none shown.
QString RefusalText(velmora::Refusal refusal);
