#include "share/visitors.h"

#include <algorithm>

#include "platform/socket_cut.h"

namespace velmora {

Visitors::Visitors(unsigned slots, std::chrono::milliseconds headerDeadline, Floor floor)
    : slots_(slots), deadline_(headerDeadline), floor_(floor), watch_([this] { Watch(); }) {}

Visitors::~Visitors() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    watch_.join();
}

void Visitors::Arrived(const void* connection, Socket socket) {
    const std::lock_guard lock(mutex_);
    visitors_.insert_or_assign(connection, Visitor{socket, Clock::now(), false, false, 0, {}});
    const auto open = std::count_if(visitors_.begin(), visitors_.end(),
                                    [](const auto& entry) { return !entry.second.cut; });
    if (static_cast<unsigned>(open) > slots_) {
        Visitor* displaced = Displaced(connection);
        Cut(displaced != nullptr ? *displaced : visitors_.at(connection));
    }
    changed_.notify_all();
}

Visitors::Visitor* Visitors::Displaced(const void* newcomer) {
    Visitor* longest = nullptr;
    for (auto& [handle, visitor] : visitors_) {
        if (!visitor.asked && !visitor.cut && (!longest || visitor.since < longest->since)) {
            longest = &visitor;
        }
    }
    // The newcomer itself, when no other dawdles: then a slow reader makes room, if one is.
    if (longest != nullptr && longest != &visitors_.at(newcomer)) {
        return longest;
    }
    Visitor* slowest = nullptr;
    const auto now = Clock::now();
    for (auto& [handle, visitor] : visitors_) {
        if (visitor.asked && !visitor.cut && Slow(visitor, now) &&
            (!slowest || visitor.sent < slowest->sent)) {
            slowest = &visitor;
        }
    }
    return slowest != nullptr ? slowest : longest;
}

bool Visitors::Slow(const Visitor& visitor, Clock::time_point now) const {
    if (now - visitor.since < floor_.window) {
        return false;
    }
    // What it had by the window's start: the last sample before it, or nothing.
    std::uint64_t before = 0;
    for (const auto& [at, bytes] : visitor.given) {
        if (at <= now - floor_.window) {
            before = bytes;
        }
    }
    return visitor.sent - before < floor_.bytes;
}

void Visitors::Sent(const void* connection, std::uint64_t bytes) {
    const std::lock_guard lock(mutex_);
    const auto found = visitors_.find(connection);
    if (found == visitors_.end()) {
        return;
    }
    Visitor& visitor = found->second;
    visitor.sent = bytes;
    const auto now = Clock::now();
    // A sample a second, holding the last count of its second.
    if (visitor.given.empty() || now - visitor.given.back().first >= std::chrono::seconds(1)) {
        visitor.given.emplace_back(now, bytes);
    } else {
        visitor.given.back().second = bytes;
    }
    while (visitor.given.size() > 1 && now - visitor.given[1].first > floor_.window) {
        visitor.given.pop_front();
    }
}

void Visitors::Asked(const void* connection) {
    const std::lock_guard lock(mutex_);
    if (const auto found = visitors_.find(connection); found != visitors_.end()) {
        found->second.asked = true;
        found->second.since = Clock::now();
        found->second.sent = 0;
        found->second.given.clear();
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
