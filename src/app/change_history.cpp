#include "app/change_history.h"

#include <algorithm>

#include "app/song_changes.h"

namespace {

// A change asked of a song that is not there: nothing to do, and nothing to say.
const ChangeOutcome kNothing{velmora::Refusal::NoSuchSong, {}};

ChangeOutcome Run(const std::function<velmora::Refusal()>& change) {
    ChangeOutcome outcome;
    outcome.error = Attempt([&] { outcome.refusal = change(); });
    return outcome;
}

}  // namespace

ChangeHistory::ChangeHistory(velmora::Workspace& run, QObject* parent)
    : QObject(parent), run_(run) {}

ChangeOutcome ChangeHistory::Make(std::unique_ptr<SongChange> change) {
    const ChangeOutcome outcome = Run([&] { return change->Apply(run_); });
    if (outcome.Made()) {
        stack_.push(change.release());
        emit changed();
    } else {
        emit notMade(outcome);
    }
    return outcome;
}

ChangeOutcome ChangeHistory::Add(const velmora::Song& song) {
    return Make(std::make_unique<Added>(run_.Songs().SongCount() + 1, std::vector{song}));
}

ChangeOutcome ChangeHistory::Edit(int n, const velmora::Song& song) {
    return Holds(n) ? Make(std::make_unique<Edited>(n, run_.Songs().At(n), song)) : kNothing;
}

ChangeOutcome ChangeHistory::EditAll(
    std::vector<std::pair<int, velmora::Song>> edits, const QString& name,
    const velmora::Going& going,
    std::optional<std::pair<velmora::RunBoxes, velmora::RunBoxes>> boxes) {
    for (const auto& edit : edits) {
        if (!Holds(edit.first)) {
            return kNothing;
        }
    }
    auto change = std::make_unique<EditedAll>(std::move(edits), name);
    change->SetGoing(going);
    if (boxes) {
        change->SetBoxes(std::move(boxes->first), std::move(boxes->second));
    }
    EditedAll* made = change.get();
    const ChangeOutcome outcome = Make(std::move(change));
    // Undone and redone later, it is not this progress's.
    if (outcome.Made()) {
        made->SetGoing({});
    }
    return outcome;
}

ChangeOutcome ChangeHistory::Remove(int n) {
    return Holds(n) ? Make(std::make_unique<Removed>(n, run_.Songs().At(n))) : kNothing;
}

ChangeOutcome ChangeHistory::Move(int from, int to) {
    return from != to && Holds(from) && Holds(to) ? Make(std::make_unique<Moved>(from, to))
                                                  : kNothing;
}

ChangeOutcome ChangeHistory::RemoveSeveral(const std::vector<int>& songs) {
    if (songs.size() == 1) {
        return Remove(songs.front());
    }
    std::vector<std::pair<int, velmora::Song>> removed;
    for (const int n : songs) {
        if (!Holds(n) || (!removed.empty() && n <= removed.back().first)) {
            return kNothing;
        }
        removed.emplace_back(n, run_.Songs().At(n));
    }
    return removed.empty() ? kNothing : Make(std::make_unique<RemovedSeveral>(std::move(removed)));
}

ChangeOutcome ChangeHistory::MoveSeveral(const std::vector<int>& songs, bool up) {
    if (songs.empty() || !std::is_sorted(songs.begin(), songs.end()) ||
        std::adjacent_find(songs.begin(), songs.end()) != songs.end() ||
        !Holds(up ? songs.front() - 1 : songs.back() + 1) || !Holds(songs.front()) ||
        !Holds(songs.back())) {
        return kNothing;
    }
    return Make(std::make_unique<MovedSeveral>(songs, up));
}

ChangeOutcome ChangeHistory::Undo() {
    return Step(true);
}

ChangeOutcome ChangeHistory::Redo() {
    return Step(false);
}

ChangeOutcome ChangeHistory::Step(bool back) {
    if (back ? !stack_.canUndo() : !stack_.canRedo()) {
        return kNothing;
    }
    const auto* change =
        static_cast<const SongChange*>(stack_.command(stack_.index() - (back ? 1 : 0)));
    const ChangeOutcome outcome =
        Run([&] { return back ? change->Revert(run_) : change->Apply(run_); });
    if (outcome.Made()) {
        back ? stack_.undo() : stack_.redo();
        if (const auto boxes = change->BoxesAfter(back)) {
            emit boxesStepped(*boxes);
        }
        // Said first, so that "有修改尚未制作", which `changed` may bring, stays on show.
        emit stepped(back, change->text());
        emit changed();
    } else {
        emit notMade(outcome);
    }
    return outcome;
}

void ChangeHistory::Record(int first) {
    std::vector<velmora::Song> added;
    for (int n = first; n <= run_.Songs().SongCount(); ++n) {
        added.push_back(run_.Songs().At(n));
    }
    if (!added.empty()) {
        stack_.push(new Added(first, std::move(added)));
        emit changed();
    }
}

ChangeOutcome ChangeHistory::Replace(std::vector<velmora::Song> songs, velmora::RunBoxes before,
                                     velmora::RunBoxes after, const QString& name) {
    std::vector<velmora::Song> now;
    for (int n = 1; n <= run_.Songs().SongCount(); ++n) {
        now.push_back(run_.Songs().At(n));
    }
    return Make(std::make_unique<Replaced>(std::move(now), std::move(songs), std::move(before),
                                           std::move(after), name));
}
