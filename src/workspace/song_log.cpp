// The song log as the run keeps it (Workspace's own): open for the run, a change appended in
// one write (one of many songs, a piece at a time), changes made as one framed by a begin and
// an end record, a log that has gone written again from the songs before anything goes after
// it, and one grown to twice what its songs take written anew from them.

#include "workspace/workspace.h"

#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/save_file.h"
#include "text/failure.h"
#include "workspace/journal.h"

namespace velmora {
namespace {

// A record's keys and numbers, beside its texts.
constexpr std::uint64_t kRecordKeys = 80;
// A log is not written anew for less.
constexpr std::uint64_t kSettleSlack = 1024 * 1024;
// What a change of many songs is appended in: its records are never all held at once.
constexpr std::size_t kJournalPiece = 1024 * 1024;

}  // namespace

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
    logLength_ += records.size();
}

void Workspace::JournalEach(std::size_t count,
                            const std::function<std::string(std::size_t)>& record,
                            const Going& going) {
    if (!log_->linked()) {
        MakeTree();
        RestoreLog();
    }
    const bool framed = count > 1 && !batched_;
    const int group = framed ? ++groups_ : groups_;
    std::string piece = framed ? BeginRecord(group) : std::string();
    std::uint64_t appended = 0;
    try {
        for (std::size_t k = 0; k < count; ++k) {
            piece += record(k);
            const bool last = k + 1 == count;
            if (piece.size() < kJournalPiece && !last) {
                continue;
            }
            piece += last && framed ? EndRecord(group) : std::string();
            if (const int error = AppendTo(*log_, piece)) {
                throw Failure(Problem::CannotWrite, layout_.SongLog(), error);
            }
            appended += piece.size();
            piece.clear();
            if (!last && going && !going(k + 1, count)) {
                throw Failure(Problem::Stopped);
            }
        }
    } catch (...) {
        // Taken back whole: an unended change would otherwise hold the ones after it.
        if (const auto size = appended > 0 ? log_->size() : std::nullopt; size) {
            log_->truncate(*size - appended);
        }
        throw;
    }
    journalLength_ += appended;
    logLength_ += appended;
}

void Workspace::RestoreLog() {
    if (!Exists(layout_.SongLog())) {
        if (const int error = WriteLog()) {
            throw Failure(Problem::CannotWrite, layout_.SongLog(), error);
        }
    }
    OpenLog();
}

// The log written whole from the songs, a record at a time, as a book is saved: until the
// new one is in place the old one stands, so that a kill at any moment loses nothing.
int Workspace::WriteLog() {
    SaveFile log(layout_.SongLog());
    std::uint64_t length = 0;
    for (int n = 1; n <= songs_.SongCount(); ++n) {
        const std::string record = AddRecord(n, songs_.At(n));
        if (!log.write(record)) {
            break;
        }
        length += record.size();
    }
    if (const int error = log.commit()) {
        return error;
    }
    logLength_ = length;
    return 0;
}

void Workspace::Settle() noexcept {
    if (batched_ || logLength_ <= settleAt_) {
        return;
    }
    // What the songs' own records take, near enough: two bytes a character, the keys.
    std::uint64_t songs = 0;
    for (int n = 1; n <= songs_.SongCount(); ++n) {
        const Song& song = songs_.At(n);
        songs +=
            2 * (song.name.size() + song.artist.size() + song.credits.size() + song.lyric.size()) +
            kRecordKeys;
    }
    const std::uint64_t most = 2 * songs + kSettleSlack;
    if (logLength_ <= most) {
        settleAt_ = most;
        return;
    }
    // Not written anew (a full disk, no memory): the log as it is holds every change, and
    // is looked at again once it has doubled.
    settleAt_ = 2 * logLength_;
    // Closed first: Windows replaces no file that is held open.
    log_->close();
    try {
        if (WriteLog() == 0) {
            settleAt_ = most;
        }
        OpenLog();
    } catch (...) {
        // Not reopened: the next change finds the log closed, and opens it.
    }
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
        return;
    }
    run_.Settle();
}

}  // namespace velmora
