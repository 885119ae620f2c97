#pragma once
// An import as the window runs it: the files' songs brought in, what was added one change
// in the history, and the report kept for the window to word.

#include <filesystem>
#include <optional>
#include <vector>

#include "app/attempt.h"
#include "app/change_history.h"
#include "import/importer.h"
#include "workspace/earlier_runs.h"

struct ImportOutcome {
    velmora::ImportReport report;
    // Songs in before it stay: a failure halfway leaves the report as far as it got.
    std::optional<CommandError> error;
    // The boxes of a book brought back whole, to show.
    std::optional<velmora::RunBoxes> cameBack;
};

class ImportRunner {
public:
    ImportRunner(velmora::Workspace& run, ChangeHistory& history);

    // Brings in the songs of these files (folders searched), `progress` told as it goes.
    ImportOutcome Run(const std::vector<std::filesystem::path>& paths,
                      velmora::ImportProgress& progress);

private:
    velmora::Workspace& run_;
    ChangeHistory& history_;
};
