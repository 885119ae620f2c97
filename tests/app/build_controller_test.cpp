#ifndef _WIN32
#include <poll.h>
#endif
#include <QSignalSpy>
#include <QThreadPool>
#include <QtTest>

#include "app/build_controller.h"
#include "support/fakes.h"
#include "support/faults.h"

using namespace velmora::testing;
using velmora::BuildPhase;

Q_DECLARE_METATYPE(velmora::BuildPhase)

// Builds finished by the archiver's end, before the timer's looks are tried.
#ifdef _WIN32
constexpr int kFinishedBefore = 0;
#else
constexpr int kFinishedBefore = 1;
#endif

// The build as the window runs it: phases, the result and failures come as signals; the
// archiver's end itself finishes the build, not the timer's next look.
class BuildControllerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ReadyRun> run;
    std::unique_ptr<BuildController> builds;

private slots:
    void init() {
        builds.reset();  // the previous test's builds go before its run
        run = std::make_unique<ReadyRun>();
        run->AddLyric(u"月光", u"a");
        builds = std::make_unique<BuildController>(*run, run->clock);
    }

    void archiversEndFinishesTheBuild() {
        QSignalSpy phases(builds.get(), &BuildController::phaseChanged);
        QSignalSpy finished(builds.get(), &BuildController::finished);
#ifndef _WIN32  // a pidfd; Windows gives no descriptor to watch a process by
        builds->Start({});
        QVERIFY(builds->Running());
        QCOMPARE(phases.last()[0].value<BuildPhase>(), BuildPhase::Packing);
        auto* end = builds->findChild<QSocketNotifier*>();
        QVERIFY(end != nullptr && end->isEnabled());
        pollfd ended{static_cast<int>(end->socket()), POLLIN, 0};
        QCOMPARE(::poll(&ended, 1, 20000), 1);
        QVERIFY(finished.isEmpty());
        QEvent activation(QEvent::SockAct);
        QCoreApplication::sendEvent(end, &activation);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(phases.last()[0].value<BuildPhase>(), BuildPhase::Done);
        QVERIFY(!end->isEnabled());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(builds->findChild<QSocketNotifier*>() == nullptr);
#endif
        // Where the system cannot watch it, the timer's looks finish the build.
        InjectedFaults faults({{Call::WatchEnd, "7za", ENOSYS}});
        builds->Start({});
        QVERIFY(builds->findChild<QSocketNotifier*>() == nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), kFinishedBefore + 1, 20000);
        QCOMPARE(faults.hits, 1);
    }

    // A cover made aside: the build is running until it has been handed to the maker, which
    // is after the work itself has ended.
    void runsUntilTheCoverIsHandedOver() {
        QSignalSpy finished(builds.get(), &BuildController::finished);
        velmora::BuildRequest covered;
        covered.cover = [] { return std::optional<std::string>(); };
        builds->Start(covered);
        QThreadPool::globalInstance()->waitForDone();
        QVERIFY(builds->Running());
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        QVERIFY(!builds->Running());
    }

    // A failure is signalled once the build has stopped: nothing polls it any more.
    void failuresAreSignalledAfterTheBuildStops() {
        QSignalSpy failed(builds.get(), &BuildController::failed);
        bool runningWhenTold = true;
        connect(builds.get(), &BuildController::failed, this, [&] {
            runningWhenTold = builds->Running() || builds->findChild<QTimer*>()->isActive();
        });
        {
            InjectedFaults faults({{Call::Spawn, "7za", EACCES}});
            builds->Start({});
        }
        QCOMPARE(failed.size(), 1);
        QCOMPARE(failed[0][0].value<CommandError>().failure->problem(),
                 velmora::Problem::CannotStart);
        QVERIFY(!runningWhenTold);
        {
            InjectedFaults faults({{Call::Wait, "7za", ECHILD}});
            builds->Start({});
            QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 2, 20000);
        }
        QCOMPARE(failed[1][0].value<CommandError>().failure->problem(),
                 velmora::Problem::ArchiverLost);
        QVERIFY(!runningWhenTold);
        // A cover that cannot be made fails the build; it is not the template's.
        velmora::BuildRequest coverless;
        coverless.cover = []() -> std::optional<std::string> {
            throw velmora::Failure(velmora::Problem::CoverMissing);
        };
        builds->Start(coverless);
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 3, 20000);
        QCOMPARE(failed[2][0].value<CommandError>().failure->problem(),
                 velmora::Problem::CoverMissing);
    }
};

QTEST_MAIN(BuildControllerTest)
#include "build_controller_test.moc"
