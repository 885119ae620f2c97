#pragma once
// A small web server that hands one book to whoever asks at its one address: a GET or a
// HEAD of "/<token>/<file name>" gets the book, anything else a bare 404. It serves the
// book as it was when the server started (the file is held open; a build that finishes
// meanwhile puts a new file in its place and leaves this one alone), listens only while the
// object lives, and stops with its connections at once when it goes.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/file.h"
#include "share/visitors.h"

struct MHD_Connection;
struct MHD_Daemon;
struct MHD_Response;

namespace velmora {

struct ServerLimits {
    std::uint32_t listenOn = 0;  // an IPv4 address in host order; 0: every interface
    // Beyond these a newcomer takes the slot of a client dawdling over its headers, or is
    // closed at once.
    unsigned connections = 8;
    unsigned idleSeconds = 30;  // a client that sends or takes nothing this long is dropped
    unsigned perClient = 2;     // connections from one address; more are closed at once
    // A request's headers must be in by then, however slowly its bytes come.
    std::chrono::milliseconds headerDeadline{10'000};
    // A download that takes less than this gives up its slot to a newcomer, when every slot
    // is taken.
    Visitors::Floor slowest = {};
};

class BookServer {
public:
    // Serves `book` at `urlPath` (decoded, "/<token>/<file name>") on a port the system
    // chooses. `downloaded` is called on the server's thread after each whole GET. Raises
    // Failure(CannotServe) when the book cannot be opened or the server cannot listen.
    BookServer(const std::filesystem::path& book, std::string urlPath, const ServerLimits& limits,
               std::function<void()> downloaded = {});
    BookServer(const BookServer&) = delete;
    BookServer& operator=(const BookServer&) = delete;

    std::uint16_t port() const { return port_; }
    // Whole GETs of the book so far.
    unsigned downloads() const { return downloads_; }

private:
    // The library's callbacks, which reach the members below.
    friend struct ServerCallbacks;

    // The book's answer to one request, read from the file as it goes, so that how much of it
    // each client has taken is known. Null when it cannot be made.
    MHD_Response* Answer(MHD_Connection* connection);

    std::string urlPath_;
    std::function<void()> downloaded_;
    std::atomic<unsigned> downloads_ = 0;
    struct Destroy {
        void operator()(MHD_Response* response) const;
        void operator()(MHD_Daemon* daemon) const;
    };
    std::unique_ptr<File> book_;
    std::uint64_t size_ = 0;
    std::string disposition_;
    std::unique_ptr<MHD_Response, Destroy> notFound_;
    Visitors visitors_;
    // Declared last, so stopped first: its thread may still be sending the responses, and
    // telling the visitors.
    std::unique_ptr<MHD_Daemon, Destroy> daemon_;
    std::uint16_t port_ = 0;
};

}  // namespace velmora
