#include "app/build_controller.h"

#include <QtConcurrent/QtConcurrentRun>

namespace {

constexpr int kBuildPollMs = 50;

}  // namespace

BuildController::BuildController(velmora::Workspace& run, const velmora::Clock& clock,
                                 QObject* parent)
    : QObject(parent), maker_(run, clock, *this), timer_(this) {
    timer_.setInterval(kBuildPollMs);
    connect(&timer_, &QTimer::timeout, this, &BuildController::Poll);
    connect(&coverWork_, &QFutureWatcher<Cover>::finished, this, &BuildController::CoverMade);
}

void BuildController::Start(velmora::BuildRequest request) {
    if (Running()) {
        return;  // one build at a time, as the maker runs them
    }
    if (!request.cover) {
        Report(Attempt([&] { maker_.MakeBook(std::move(request)); }));
        return;
    }
    emit phaseChanged(velmora::BuildPhase::Started);
    coverPending_ = true;
    auto make = std::move(request.cover);
    waiting_ = std::move(request);
    coverWork_.setFuture(QtConcurrent::run([make = std::move(make)] {
        Cover cover;
        try {
            cover.jpeg = make();
        } catch (...) {
            cover.error = std::current_exception();
        }
        return cover;
    }));
}

// The maker asks for the cover in its turn: it gets the one made, or its failure.
void BuildController::CoverMade() {
    coverPending_ = false;
    velmora::BuildRequest request = std::move(waiting_);
    request.cover = [cover = coverWork_.result()] {
        if (cover.error) {
            std::rethrow_exception(cover.error);
        }
        return cover.jpeg;
    };
    Report(Attempt([&] { maker_.MakeBook(std::move(request)); }));
}

void BuildController::Poll() {
    if (!timer_.isActive()) {
        return;
    }
    std::optional<velmora::BuildResult> result;
    Report(Attempt([&] { result = maker_.Poll(); }));
    if (result) {
        emit finished(*result);
    }
}

void BuildController::Report(const std::optional<CommandError>& error) {
    Watch();
    if (error) {
        emit failed(*error);
    }
}

void BuildController::Watch() {
    if (maker_.Running()) {
        timer_.start();
    } else {
        timer_.stop();
    }
    const int end = maker_.ArchiverEnd();
    if (archiverEnd_ && archiverEnd_->socket() != end) {
        // The descriptor closed with the build it watched. Perhaps in its own signal: it
        // goes once that has returned, and watches nothing meanwhile.
        archiverEnd_->setEnabled(false);
        archiverEnd_->deleteLater();
        archiverEnd_ = nullptr;
    }
    if (end >= 0 && archiverEnd_ == nullptr) {
        archiverEnd_ = new QSocketNotifier(end, QSocketNotifier::Read, this);
        connect(archiverEnd_, &QSocketNotifier::activated, this, &BuildController::Poll);
    }
}
