#include "build_controller.h"

namespace {

constexpr int kBuildPollMs = 50;

}  // namespace

BuildController::BuildController(velmora::Workspace& run, const velmora::Clock& clock,
                                 QObject* parent)
    : QObject(parent), maker_(run, clock, *this), timer_(this) {
    timer_.setInterval(kBuildPollMs);
    connect(&timer_, &QTimer::timeout, this, &BuildController::Poll);
}

void BuildController::Start(velmora::BuildRequest request) {
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
