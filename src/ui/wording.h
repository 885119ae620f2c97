#pragma once
// Every text the window shows for what the core and its services report: failures,
// refusals, build phases, questions, import summaries. Names and paths quoted in a message are cut
// to about 60 characters, so that no box chokes on a name of a million characters.

#include <QString>
#include <string>

#include "attempt.h"
#include "decisions.h"
#include "epub/build_observer.h"
#include "import/importer.h"
#include "text/failure.h"
#include "workspace/workspace.h"

// At most `most` characters of the text: its start, "…", and its end.
QString Elided(const QString& text, int most = 60);
QString Elided(const std::u16string& text, int most = 60);
QString ElidedPath(const std::filesystem::path& path);

// The system's reason for an errno: the common ones in the window's Chinese, any other as
// the system words it.
QString Reason(int error);

// The whole message for a failure: what failed, the path, and why.
QString Wording(const velmora::Failure& failure);
// Why an imported file gave no songs (the path not included).
QString SkipReason(const velmora::Failure& failure);

// The message for a change that was refused; empty for none shown.
QString RefusalText(velmora::Refusal refusal);

QString PhaseText(velmora::BuildPhase phase);

// How many songs came in and which files were skipped, and why (the first 20, then a
// count); empty when nothing was skipped and nothing cancelled.
QString ImportSummary(const velmora::ImportReport& report);

// The title of the program's boxes, and of its hints.
QString AppTitle();
QString HintTitle();

// What a command raised.
QString Wording(const CommandError& error);
// Why 开始制作 builds nothing; empty for none.
QString BuildRefusalText(BuildRefusal refusal);
// Whether a book of `title` with that many songs (-1: not one of ours) is to be replaced by
// a book without songs.
QString ReplaceByEmptyText(const QString& title, int songsInBook);
// The question before a book in finished/ that this run did not build is replaced.
QString ReplaceEarlierText(const QString& title, int songsInBook, const std::u16string& madeAt);
