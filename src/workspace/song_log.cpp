// The song log as the run keeps it (Workspace's own): open for the run, each change appended
// in one write, changes made as one framed by a begin and an end record, and a log that has
// gone written again from the songs before anything goes after it.

#include "workspace/workspace.h"

#include "platform/file.h"
#include "platform/file_system.h"
#include "text/failure.h"
#include "text/text_files.h"
#include "workspace/journal.h"

namespace velmora {

void Workspace::Journal(const std::string& records, int count) {
    if (count > 1 && !batched_) {
        ++groups_;
        Journal(BeginRecord(groups_) + records + EndRecord(groups_));
        return;
    }
    // A log that has gone is restored whole before anything goes after it. Only the log:
    // a page this change lets go of is set aside by now, and stays so.
    if (!log_->linked()) {
        MakeTree();
        RestoreLog();
    }
    if (const int error = AppendTo(*log_, records)) {
        throw Failure(Problem::CannotWrite, layout_.SongLog(), error);
    }
    journalLength_ += records.size();
}

void Workspace::RestoreLog() {
    if (!Exists(layout_.SongLog())) {
        const std::string journal = JournalOf(songs_);
        SaveBytes(layout_.SongLog(), journal);
        journalLength_ = journal.size();
    }
    OpenLog();
}

// Kept open for the run: an append is then one write, not an open, a write and a close.
void Workspace::OpenLog() {
    auto log = std::make_unique<File>(layout_.SongLog(), File::Mode::AppendTo);
    if (!log->isOpen()) {
        throw Failure(Problem::CannotWrite, layout_.SongLog(), log->error());
    }
    log_ = std::move(log);
}

Workspace::Batch::Batch(Workspace& run) : run_(run) {
    run_.Journal(BeginRecord(++run_.groups_));
    run_.batched_ = true;
}

Workspace::Batch::~Batch() {
    run_.batched_ = false;
    try {
        run_.Journal(EndRecord(run_.groups_));
    } catch (...) {
    }
}

}  // namespace velmora
