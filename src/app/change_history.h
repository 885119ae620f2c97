#pragma once
// The changes a user makes to the songs, and their undo and redo: each is made on the run
// first and goes on Qt's undo stack only when made, so a change that fails or is refused
// moves nothing.

#include <QObject>
#include <QUndoStack>
#include <memory>
#include <optional>
#include <vector>

#include "app/attempt.h"
#include "workspace/earlier_runs.h"
#include "workspace/workspace.h"

class SongChange;

// What became of a change: made, refused (the refusal) or failed (the error).
struct ChangeOutcome {
    velmora::Refusal refusal = velmora::Refusal::None;
    std::optional<CommandError> error;
    bool Made() const { return refusal == velmora::Refusal::None && !error; }
};

class ChangeHistory : public QObject {
    Q_OBJECT

public:
    explicit ChangeHistory(velmora::Workspace& run, QObject* parent = nullptr);

    QUndoStack* Stack() { return &stack_; }

    ChangeOutcome Add(const velmora::Song& song);
    // A number that is no song's is refused (NoSuchSong), with nothing to say.
    ChangeOutcome Edit(int n, const velmora::Song& song);
    // Each numbered song changed, all as one change, called `name`; `going` is asked after
    // each page, and a no stops it (the outcome's error: Failure(Stopped)).
    // The book's boxes may change with them, `boxes` before and after.
    ChangeOutcome EditAll(
        std::vector<std::pair<int, velmora::Song>> edits, const QString& name,
        const velmora::Going& going = {},
        std::optional<std::pair<velmora::RunBoxes, velmora::RunBoxes>> boxes = {});
    ChangeOutcome Remove(int n);
    ChangeOutcome Move(int from, int to);
    // The numbered songs (ascending, each once) removed, or moved one place up or down, as
    // one change; one past either end is refused (NoSuchSong).
    ChangeOutcome RemoveSeveral(const std::vector<int>& songs);
    ChangeOutcome MoveSeveral(const std::vector<int>& songs, bool up);
    // Takes back the last change, or makes again the last one taken back.
    ChangeOutcome Undo();
    ChangeOutcome Redo();
    // Songs already in the run from place `first` on (an import's), as one change.
    void Record(int first);
    // Every song replaced by these, and the book's boxes `before` by `after`, as one change
    // called `name` (a book opened).
    ChangeOutcome Replace(std::vector<velmora::Song> songs, velmora::RunBoxes before,
                          velmora::RunBoxes after, const QString& name);

signals:
    // A change was made, taken back or made again.
    void changed();
    // A change was taken back (`back`) or made again; `text` names it ("全部转为简体").
    void stepped(bool back, const QString& text);
    // A change was refused or failed, and nothing changed: the window says why.
    void notMade(const ChangeOutcome& outcome);
    // A change taken back or made again left the book's boxes so.
    void boxesStepped(const velmora::RunBoxes& boxes);

private:
    ChangeOutcome Make(std::unique_ptr<SongChange> change);
    // Takes back (or makes again) the stack's change at `index`.
    ChangeOutcome Step(bool back);
    bool Holds(int n) const { return n >= 1 && n <= run_.Songs().SongCount(); }

    velmora::Workspace& run_;
    QUndoStack stack_;
};
