#pragma once
// The changes a user makes to the songs, as entries of Qt's undo stack. Each knows how to
// make itself again and how to take itself back on the run, both journaled as the changes
// they are; the stack only keeps the order. (QUndoCommand's own undo() and redo() do
// nothing: a change that fails must not move the stack, so the session makes it first.)

#include <QUndoCommand>
#include <vector>

#include "workspace/earlier_runs.h"
#include "workspace/workspace.h"

class SongChange : public QUndoCommand {
public:
    explicit SongChange(const QString& text) : QUndoCommand(text) {}
    // Each raises a Failure, or gives the refusal of the change it makes.
    virtual velmora::Refusal Apply(velmora::Workspace& run) const = 0;
    virtual velmora::Refusal Revert(velmora::Workspace& run) const = 0;
    void undo() override {}
    void redo() override {}
    // The book's boxes as this change leaves them, made (or taken back); nothing when it
    // leaves them alone.
    virtual std::optional<velmora::RunBoxes> BoxesAfter(bool /*back*/) const {
        return std::nullopt;
    }
};

// Songs that came in at place `first` (one typed, or an import's).
class Added : public SongChange {
public:
    Added(int first, std::vector<velmora::Song> songs);
    velmora::Refusal Apply(velmora::Workspace& run) const override;
    velmora::Refusal Revert(velmora::Workspace& run) const override;

private:
    int first_;
    std::vector<velmora::Song> songs_;
};

class Edited : public SongChange {
public:
    Edited(int n, velmora::Song before, velmora::Song after);
    velmora::Refusal Apply(velmora::Workspace& run) const override;
    velmora::Refusal Revert(velmora::Workspace& run) const override;

private:
    int n_;
    velmora::Song before_;
    velmora::Song after_;
};

// Songs changed all at once (every song to the other script): each number with its song.
// It holds the songs the run has not: made, the ones it replaced; taken back, the ones it
// made. Each step exchanges them with the run's, so that no song is held twice.
// The book's boxes may change with them (its title and author converted too).
class EditedAll : public SongChange {
public:
    using Songs = std::vector<std::pair<int, velmora::Song>>;
    EditedAll(Songs after, const QString& name);
    velmora::Refusal Apply(velmora::Workspace& run) const override;
    velmora::Refusal Revert(velmora::Workspace& run) const override;
    // Asked after each page of the steps to come; none by default.
    void SetGoing(velmora::Going going) { going_ = std::move(going); }
    void SetBoxes(velmora::RunBoxes before, velmora::RunBoxes after) {
        boxes_ = {std::move(before), std::move(after)};
    }
    std::optional<velmora::RunBoxes> BoxesAfter(bool back) const override {
        if (!boxes_) {
            return std::nullopt;
        }
        return back ? boxes_->first : boxes_->second;
    }

private:
    mutable Songs songs_;
    velmora::Going going_;
    std::optional<std::pair<velmora::RunBoxes, velmora::RunBoxes>> boxes_;
};

class Removed : public SongChange {
public:
    Removed(int n, velmora::Song song);
    velmora::Refusal Apply(velmora::Workspace& run) const override;
    velmora::Refusal Revert(velmora::Workspace& run) const override;

private:
    int n_;
    velmora::Song song_;
};

class Moved : public SongChange {
public:
    Moved(int from, int to);
    velmora::Refusal Apply(velmora::Workspace& run) const override;
    velmora::Refusal Revert(velmora::Workspace& run) const override;

private:
    int from_;
    int to_;
};

// Every song replaced by a book's, and the book's boxes with them: a book opened.
class Replaced : public SongChange {
public:
    Replaced(std::vector<velmora::Song> before, std::vector<velmora::Song> after,
             velmora::RunBoxes boxesBefore, velmora::RunBoxes boxesAfter, const QString& name);
    velmora::Refusal Apply(velmora::Workspace& run) const override;
    velmora::Refusal Revert(velmora::Workspace& run) const override;
    std::optional<velmora::RunBoxes> BoxesAfter(bool back) const override {
        return back ? boxesBefore_ : boxesAfter_;
    }

private:
    std::vector<velmora::Song> before_;
    std::vector<velmora::Song> after_;
    velmora::RunBoxes boxesBefore_;
    velmora::RunBoxes boxesAfter_;
};

// Several songs removed at once: each number (ascending) with its song.
class RemovedSeveral : public SongChange {
public:
    explicit RemovedSeveral(std::vector<std::pair<int, velmora::Song>> songs);
    velmora::Refusal Apply(velmora::Workspace& run) const override;
    velmora::Refusal Revert(velmora::Workspace& run) const override;

private:
    std::vector<std::pair<int, velmora::Song>> songs_;
};

// Several songs (ascending numbers) moved one place up or down, keeping their order.
class MovedSeveral : public SongChange {
public:
    MovedSeveral(std::vector<int> songs, bool up);
    velmora::Refusal Apply(velmora::Workspace& run) const override;
    velmora::Refusal Revert(velmora::Workspace& run) const override;

private:
    // Moves `songs` by one place, up or down; a step that fails takes back the ones before.
    static velmora::Refusal Shift(velmora::Workspace& run, const std::vector<int>& songs, bool up);

    std::vector<int> songs_;
    bool up_;
};
