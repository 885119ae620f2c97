#include "app/import_runner.h"

ImportRunner::ImportRunner(velmora::Workspace& run, ChangeHistory& history)
    : run_(run), history_(history) {}

ImportOutcome ImportRunner::Run(const std::vector<std::filesystem::path>& paths,
                                velmora::ImportProgress& progress) {
    const int first = run_.Songs().SongCount() + 1;
    ImportOutcome outcome;
    outcome.error = Attempt(
        [&] { outcome.report = velmora::Import(run_, velmora::ImportFiles(paths), progress); });
    // Counted in the list, not the report: a failure halfway leaves no report.
    history_.Record(first);
    return outcome;
}
