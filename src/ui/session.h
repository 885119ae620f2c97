#pragma once
// The program's wiring: the run's workspace, the book maker and the timer that polls it,
// the import loop, the song list's model. The window forwards each command here and shows
// what comes back; failures come back worded, through the prompter.

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "desktop_opener.h"
#include "epub/book_maker.h"
#include "prompter.h"
#include "song_list_model.h"
#include "workspace/workspace.h"

class QWidget;

class Session : public QObject, public velmora::BuildObserver {
    Q_OBJECT

public:
    Session(const std::filesystem::path& appDir, const velmora::Clock& clock,
            QObject* parent = nullptr);

    void SetPrompter(Prompter* prompter) { prompter_ = prompter; }

    // Prepares the run's workspace. False, after a message, when it cannot be made (or a
    // template read): the program must end.
    bool Load();

    SongListModel* Model() { return &model_; }
    const velmora::Workspace& Run() const { return run_; }

    // Each change: true when made; a refusal or a failure is said, and changes nothing.
    bool Add(const std::u16string& name, const std::u16string& lyric);
    bool Edit(int n, const velmora::Song& song);
    bool Remove(int n);
    bool Move(int from, int to);
    // Builds the book with the cover box's image, a copy going where the save-path box
    // asks (both read now).
    void Make(const QString& coverBox, const QString& saveBox);
    // Brings in the songs of these files (folders searched), a progress dialog over `parent`
    // once it takes long; what was skipped is said afterwards.
    void Import(const QStringList& paths, QWidget* parent);
    // Opens a path with the desktop's handler.
    void OpenFolder(const QString& path);
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
    bool Refused(velmora::Refusal refusal);
    void Say(const QString& text, const QString& title = kAppTitle);

    velmora::Workspace run_;
    velmora::BookMaker maker_;
    SongListModel model_;
    QTimer buildTimer_;
    DesktopOpener opener_;
    Prompter* prompter_ = nullptr;
    bool ending_ = false;
};
