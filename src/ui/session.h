#pragma once
// The program's wiring: the run's workspace, the book maker and the timer that polls it,
// the import loop, the song list's model. The window forwards each command here and shows
// what comes back; failures come back worded, through the prompter.

#include <QObject>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>
#include <QUndoStack>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>

#include "desktop_opener.h"
#include "epub/book_maker.h"
#include "import/book_reader.h"
#include "prompter.h"
#include "song_list_model.h"
#include "workspace/earlier_runs.h"
#include "workspace/workspace.h"

class QWidget;
class SongChange;

class Session : public QObject, public velmora::BuildObserver {
    Q_OBJECT

public:
    Session(const std::filesystem::path& appDir, const velmora::Clock& clock,
            QObject* parent = nullptr);

    void SetPrompter(Prompter* prompter) { prompter_ = prompter; }

    // Prepares the run's workspace, and looks for work an earlier run left unbuilt. False,
    // after a message, when it cannot be made (or a template read): the program must end.
    bool Load();
    // Asks whether to bring back the songs an earlier run left unbuilt, if there are any,
    // and does as answered: the boxes that run had, when it is brought back.
    std::optional<velmora::RunBoxes> OfferRestore();
    // The boxes as they stand, kept with the run's work.
    void KeepBoxes(const velmora::RunBoxes& boxes);
    // The save dialog asked before this file was chosen: no second question.
    void Confirmed(const velmora::RunBoxes& boxes);

    SongListModel* Model() { return &model_; }
    QUndoStack* Changes() { return &changes_; }
    const velmora::Workspace& Run() const { return run_; }

    // Each change: true when made; a refusal or a failure is said, and changes nothing.
    bool Add(const std::u16string& name, const std::u16string& lyric);
    bool Edit(int n, const velmora::Song& song);
    bool Remove(int n);
    bool Move(int from, int to);
    // Takes back the last change, or makes again the last one taken back.
    void Undo();
    void Redo();
    // Builds the book the boxes name (read now): its title and author, the cover box's image
    // or, for a named book, its own cover drawn, a copy going where the save-path box asks.
    // Refuses a blank title; asks first before an empty list replaces a book, and before a
    // file this run did not write is replaced at the save place.
    void Make(const velmora::RunBoxes& boxes);
    // Brings in the songs of these files (folders searched), a progress dialog over `parent`
    // once it takes long; what was skipped is said afterwards. A book of ours brought into an
    // empty list, the boxes at their start values, comes back whole: the boxes it had, to
    // show (its cover, when its own, copied into the run's folder).
    std::optional<velmora::RunBoxes> Import(const std::vector<std::filesystem::path>& paths,
                                            QWidget* parent, const velmora::RunBoxes& boxes);
    // Opens a path with the desktop's handler.
    void OpenFolder(const QString& path);
    // Serves the finished book of this title to a phone while its dialog is open over
    // `parent`; what fails is said.
    void ShareBook(const std::u16string& title, QWidget* parent);
    // The program is ending: an import stops at once.
    void EndRequested() { ending_ = true; }

signals:
    // The status line's text, and what more there is to say (a tooltip).
    void statusChanged(const QString& text, const QString& more);

private:
    void PhaseChanged(velmora::BuildPhase phase) override;
    void PollBuild();
    void Finished(const velmora::BuildResult& result);
    // Runs a command; whatever it raises is said, and the program goes on. False when it
    // raised.
    bool Guarded(const std::function<void()>& command);
    // Watches the running build's archiver, so that its end is seen at once; the timer's
    // looks are for the archiver's output, and for a system that cannot tell.
    void WatchBuild();
    bool Refused(velmora::Refusal refusal);
    void Say(const QString& text, const QString& title = kAppTitle);
    bool Ask(const QString& text, const QString& yes, const QString& no, bool yesIsDefault);
    // Runs the change; when made, it goes on the undo stack and the status says so.
    bool Change(std::unique_ptr<SongChange> change);
    // The status after a change: what is on screen differs from the last book.
    void Changed();
    bool MayReplace(const std::filesystem::path& savePlace, const velmora::BookInfo& book);
    std::optional<velmora::RunBoxes> CameBack(const velmora::Book& book);

    velmora::Workspace run_;
    velmora::BookMaker maker_;
    SongListModel model_;
    QUndoStack changes_;
    QTimer buildTimer_;
    QSocketNotifier* archiverEnd_ = nullptr;
    DesktopOpener opener_;
    Prompter* prompter_ = nullptr;
    bool ending_ = false;
    std::optional<velmora::UnbuiltRun> unbuilt_;
    // The song log's length when the last book that was finished began.
    std::optional<std::uint64_t> builtAt_;
    // Files at save places that may be replaced without a question.
    std::set<std::filesystem::path> mayReplace_;
};
