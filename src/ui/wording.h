#pragma once
// What every message of the window is made of: names and paths cut short, the system's
// reasons, the boxes' titles, and the status line's words for a build. Names and paths quoted
// in a message are cut to about 60 characters, so that no box chokes on a name of a million
// characters.

#include <QString>
#include <filesystem>
#include <string>

#include "epub/build_observer.h"

// At most `most` characters of the text: its start, "…", and its end.
QString Elided(const QString& text, int most = 60);
QString Elided(const std::u16string& text, int most = 60);
QString ElidedPath(const std::filesystem::path& path);

// The system's reason for an errno: the common ones in the window's Chinese, any other as
// the system words it.
QString Reason(int error);

QString PhaseText(velmora::BuildPhase phase);

// The title of the program's boxes, and of its hints.
QString AppTitle();
QString HintTitle();
