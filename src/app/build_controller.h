#pragma once
// The build as the window runs it: starts the book maker, watches the archiver's end so the
// book is finished the moment it is ready (a timer drains the archiver's output, and finishes
// the build where the system cannot watch an end), and reports phases, the result and what
// failed as signals. The cover is made first, off the window's thread: a large or hostile
// image cannot freeze the window.

#include <QFutureWatcher>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <exception>

#include "app/attempt.h"
#include "epub/book_maker.h"

class BuildController : public QObject, public velmora::BuildObserver {
    Q_OBJECT

public:
    BuildController(velmora::Workspace& run, const velmora::Clock& clock,
                    QObject* parent = nullptr);

    // Running from Start on: while the cover is made, and until it is handed to the maker.
    bool Running() const { return coverPending_ || maker_.Running(); }
    // Starts the build: its cover in a worker thread, the rest once that is made. What fails
    // is signalled, not raised.
    void Start(velmora::BuildRequest request);

signals:
    void phaseChanged(velmora::BuildPhase phase);
    void finished(const velmora::BuildResult& result);
    void failed(const CommandError& error);

private:
    void PhaseChanged(velmora::BuildPhase phase) override { emit phaseChanged(phase); }
    void Poll();
    // Follows the maker after each step, before anything is signalled: a message box's event
    // loop must not poll a build that has ended.
    void Watch();
    void Report(const std::optional<CommandError>& error);
    void CoverMade();

    struct Cover {
        std::optional<std::string> jpeg;
        std::exception_ptr error;
    };

    velmora::BookMaker maker_;
    velmora::BuildRequest waiting_;
    QFutureWatcher<Cover> coverWork_;
    // From Start until the watcher hands the cover over, which comes after its work has ended.
    bool coverPending_ = false;
    QTimer timer_;
    QSocketNotifier* archiverEnd_ = nullptr;
};
