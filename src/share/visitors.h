#pragma once
// The connections a server holds, and which of them dawdle. Each request has a deadline for
// its headers, not reset by each byte that trickles in: a client still sending them after
// it is cut off. When every slot is taken, a newcomer gets the slot of the client that has
// dawdled longest over its headers; with none dawdling, the newcomer is cut off.

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace velmora {

class Visitors {
public:
    Visitors(unsigned slots, std::chrono::milliseconds headerDeadline);
    ~Visitors();
    Visitors(const Visitors&) = delete;
    Visitors& operator=(const Visitors&) = delete;

    // A connection, known by the server's handle for it, and its socket.
    void Arrived(const void* connection, int socket);
    // Its request's headers are in: what it does now is bounded by the idle timeout.
    void Asked(const void* connection);
    // Its request is answered: the next one on it has a deadline of its own.
    void Answered(const void* connection);
    void Left(const void* connection);

private:
    using Clock = std::chrono::steady_clock;
    struct Visitor {
        int socket;
        Clock::time_point since;
        bool asked = false;
        bool cut = false;
    };

    void Cut(Visitor& visitor);
    void Watch();

    const unsigned slots_;
    const std::chrono::milliseconds deadline_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<const void*, Visitor> visitors_;
    bool stopping_ = false;
    // Started last: it uses all of the above.
    std::thread watch_;
};

}  // namespace velmora
