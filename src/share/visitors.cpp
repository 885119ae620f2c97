#include "share/visitors.h"

#include <algorithm>

#include "platform/socket_cut.h"

namespace velmora {

Visitors::Visitors(unsigned slots, std::chrono::milliseconds headerDeadline)
    : slots_(slots), deadline_(headerDeadline), watch_([this] { Watch(); }) {}

Visitors::~Visitors() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    watch_.join();
}

void Visitors::Arrived(const void* connection, int socket) {
    const std::lock_guard lock(mutex_);
    visitors_.insert_or_assign(connection, Visitor{socket, Clock::now()});
    const auto open = std::count_if(visitors_.begin(), visitors_.end(),
                                    [](const auto& entry) { return !entry.second.cut; });
    if (static_cast<unsigned>(open) > slots_) {
        Visitor* longest = nullptr;
        for (auto& [handle, visitor] : visitors_) {
            if (!visitor.asked && !visitor.cut && (!longest || visitor.since < longest->since)) {
                longest = &visitor;
            }
        }
        Cut(longest != nullptr ? *longest : visitors_.at(connection));
    }
    changed_.notify_all();
}

void Visitors::Asked(const void* connection) {
    const std::lock_guard lock(mutex_);
    if (const auto found = visitors_.find(connection); found != visitors_.end()) {
        found->second.asked = true;
    }
}

void Visitors::Answered(const void* connection) {
    const std::lock_guard lock(mutex_);
    if (const auto found = visitors_.find(connection); found != visitors_.end()) {
        found->second.asked = false;
        found->second.since = Clock::now();
    }
    changed_.notify_all();
}

void Visitors::Left(const void* connection) {
    const std::lock_guard lock(mutex_);
    visitors_.erase(connection);
}

// Called with the lock held: the server closes the socket only after Left, which waits
// for it.
void Visitors::Cut(Visitor& visitor) {
    CutConnection(visitor.socket);
    visitor.cut = true;
}

void Visitors::Watch() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        auto next = Clock::time_point::max();
        const auto now = Clock::now();
        for (auto& [handle, visitor] : visitors_) {
            if (visitor.asked || visitor.cut) {
                continue;
            }
            if (now - visitor.since >= deadline_) {
                Cut(visitor);
            } else {
                next = std::min(next, visitor.since + deadline_);
            }
        }
        if (next == Clock::time_point::max()) {
            changed_.wait(lock);
        } else {
            changed_.wait_until(lock, next);
        }
    }
}

}  // namespace velmora
