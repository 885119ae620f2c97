#pragma once
// The connections a server holds, and which of them dawdle. Each request has a deadline for
// its headers, not reset by each byte that trickles in: a client still sending them after
// it is cut off. When every slot is taken, a newcomer gets the slot of the client that has
// dawdled longest over its headers, else that of the slowest reader of an answer, when it
// has taken less than the floor over the last window; with none of them, the newcomer is
// cut off.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "platform/socket_cut.h"

namespace velmora {

class Visitors {
public:
    // What a reader must take of its answer, at least, in bytes each `window`.
    struct Floor {
        std::uint64_t bytes = 80 * 1024;
        std::chrono::milliseconds window{10'000};
    };
    Visitors(unsigned slots, std::chrono::milliseconds headerDeadline, Floor floor);
    ~Visitors();
    Visitors(const Visitors&) = delete;
    Visitors& operator=(const Visitors&) = delete;

    // A connection, known by the server's handle for it, and its socket.
    void Arrived(const void* connection, Socket socket);
    // Its request's headers are in: what it does now is bounded by the idle timeout.
    void Asked(const void* connection);
    // It has been given `bytes` of its answer so far.
    void Sent(const void* connection, std::uint64_t bytes);
    // Its request is answered: the next one on it has a deadline of its own.
    void Answered(const void* connection);
    void Left(const void* connection);

private:
    using Clock = std::chrono::steady_clock;
    struct Visitor {
        Socket socket;
        Clock::time_point since;  // of its headers, or, once asked, of its answer
        bool asked = false;
        bool cut = false;
        std::uint64_t sent = 0;
        // What it had been given by when: a sample a second, the last window's.
        std::deque<std::pair<Clock::time_point, std::uint64_t>> given;
    };

    void Cut(Visitor& visitor);
    // The client to make room for a newcomer: none, or the newcomer itself, when no one may.
    Visitor* Displaced(const void* newcomer);
    // Whether it has been reading for a window, and taken less than the floor in the last.
    bool Slow(const Visitor& visitor, Clock::time_point now) const;
    void Watch();

    const unsigned slots_;
    const std::chrono::milliseconds deadline_;
    const Floor floor_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<const void*, Visitor> visitors_;
    bool stopping_ = false;
    // Started last: it uses all of the above.
    std::thread watch_;
};

}  // namespace velmora
