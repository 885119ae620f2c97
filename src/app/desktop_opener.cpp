#include "app/desktop_opener.h"

namespace {

constexpr int kPollMs = 100;

}  // namespace

DesktopOpener::DesktopOpener(Report report) : report_(std::move(report)) {
    timer_.setInterval(kPollMs);
    connect(&timer_, &QTimer::timeout, this, &DesktopOpener::Poll);
}

DesktopOpener::~DesktopOpener() {
    for (Opening& opening : openings_) {
        opening.process->Release();
    }
}

void DesktopOpener::Poll() {
    // Taken out before reporting: the message box runs an event loop that may poll again.
    std::vector<QString> failed;
    for (auto it = openings_.begin(); it != openings_.end();) {
        if (const auto exit = it->process->Poll()) {
            if (!exit->succeeded()) {
                failed.push_back(it->path);
            }
            it = openings_.erase(it);
        } else {
            ++it;
        }
    }
    if (openings_.empty()) {
        timer_.stop();
    }
    for (const QString& path : failed) {
        report_(path);
    }
}
