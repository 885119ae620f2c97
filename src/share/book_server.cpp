#include "share/book_server.h"

// The address to listen on is a socket address, Winsock's on Windows.
#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#endif

#include <microhttpd.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/file.h"
#include "share/book_address.h"
#include "text/failure.h"

namespace velmora {

namespace {

// Marks a request for the book made with GET: the one kind that counts as a download.
char kBookRequest;

// What the book's answer is read in.
constexpr std::size_t kPiece = 64 * 1024;

// One client's answer, as it is read for it.
struct Reading {
    const File& book;
    Visitors& visitors;
    const void* connection;
};

ssize_t ReadPiece(void* context, std::uint64_t at, char* buffer, std::size_t most) {
    const auto& reading = *static_cast<const Reading*>(context);
    const std::optional<std::size_t> read = reading.book.readAt(buffer, most, at);
    if (!read || *read == 0) {
        return MHD_CONTENT_READER_END_WITH_ERROR;
    }
    reading.visitors.Sent(reading.connection, at + *read);
    return static_cast<ssize_t>(*read);
}

void EndReading(void* context) {
    delete static_cast<Reading*>(context);
}

MHD_Response* NotFound() {
    static const char kBody[] = "";
    return MHD_create_response_from_buffer(0, const_cast<char*>(kBody), MHD_RESPMEM_PERSISTENT);
}

}  // namespace

struct ServerCallbacks {
    static MHD_Result Answer(void* context, MHD_Connection* connection, const char* url,
                             const char* method, const char* /*version*/, const char* /*upload*/,
                             std::size_t* /*uploadSize*/, void** request) {
        auto* server = static_cast<BookServer*>(context);
        server->visitors_.Asked(connection);
        const bool get = std::strcmp(method, MHD_HTTP_METHOD_GET) == 0;
        const bool head = std::strcmp(method, MHD_HTTP_METHOD_HEAD) == 0;
        if ((get || head) && server->urlPath_ == url) {
            *request = get ? &kBookRequest : nullptr;
            MHD_Response* book = server->Answer(connection);
            if (book == nullptr) {
                return MHD_NO;
            }
            const MHD_Result queued = MHD_queue_response(connection, MHD_HTTP_OK, book);
            MHD_destroy_response(book);  // the connection holds it now
            return queued;
        }
        return MHD_queue_response(connection, MHD_HTTP_NOT_FOUND, server->notFound_.get());
    }

    static void Ended(void* context, MHD_Connection* connection, void** request,
                      MHD_RequestTerminationCode how) {
        auto* server = static_cast<BookServer*>(context);
        server->visitors_.Answered(connection);
        if (*request == &kBookRequest && how == MHD_REQUEST_TERMINATED_COMPLETED_OK) {
            ++server->downloads_;
            if (server->downloaded_) {
                server->downloaded_();
            }
        }
    }

    static void Connection(void* context, MHD_Connection* connection, void** /*socket*/,
                           MHD_ConnectionNotificationCode what) {
        auto* server = static_cast<BookServer*>(context);
        if (what == MHD_CONNECTION_NOTIFY_STARTED) {
            const MHD_ConnectionInfo* info =
                MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
            server->visitors_.Arrived(connection, info->connect_fd);
        } else {
            server->visitors_.Left(connection);
        }
    }
};

BookServer::BookServer(const std::filesystem::path& book, std::string urlPath,
                       const ServerLimits& limits, std::function<void()> downloaded)
    : urlPath_(std::move(urlPath)),
      downloaded_(std::move(downloaded)),
      visitors_(limits.connections, limits.headerDeadline, limits.slowest) {
    book_ = std::make_unique<File>(book, File::Mode::OpenNoWait);
    const std::optional<std::uint64_t> size =
        book_->isOpen() ? book_->size() : std::optional<std::uint64_t>();
    if (!size) {
        throw Failure(Problem::CannotServe, book, book_->error());
    }
    if (const unsigned type = book_->type(); type != S_IFREG) {
        throw Failure(Problem::CannotServe, book, type == S_IFDIR ? EISDIR : EINVAL);
    }
    size_ = *size;
    disposition_ = ContentDisposition(book.filename().string());
    notFound_.reset(NotFound());
    if (!notFound_) {
        throw Failure(Problem::CannotServe, book, ENOMEM);
    }

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(limits.listenOn);
    daemon_.reset(MHD_start_daemon(
        MHD_USE_AUTO_INTERNAL_THREAD, 0, nullptr, nullptr, &ServerCallbacks::Answer, this,
        MHD_OPTION_SOCK_ADDR, &address,
        // One more than the slots: the visitors choose whom a newcomer displaces.
        MHD_OPTION_CONNECTION_LIMIT, limits.connections + 1, MHD_OPTION_PER_IP_CONNECTION_LIMIT,
        limits.perClient, MHD_OPTION_CONNECTION_TIMEOUT, limits.idleSeconds,
        MHD_OPTION_NOTIFY_COMPLETED, &ServerCallbacks::Ended, this, MHD_OPTION_NOTIFY_CONNECTION,
        &ServerCallbacks::Connection, this, MHD_OPTION_END));
    const int error = errno;
    const MHD_DaemonInfo* info =
        daemon_ ? MHD_get_daemon_info(daemon_.get(), MHD_DAEMON_INFO_BIND_PORT) : nullptr;
    if (info == nullptr || info->port == 0) {
        throw Failure(Problem::CannotServe, book, error);
    }
    port_ = info->port;
}

MHD_Response* BookServer::Answer(MHD_Connection* connection) {
    auto* reading = new Reading{*book_, visitors_, connection};
    MHD_Response* answer =
        MHD_create_response_from_callback(size_, kPiece, ReadPiece, reading, EndReading);
    if (answer == nullptr) {
        delete reading;
        return nullptr;
    }
    if (MHD_add_response_header(answer, MHD_HTTP_HEADER_CONTENT_TYPE, "application/epub+zip") !=
            MHD_YES ||
        MHD_add_response_header(answer, MHD_HTTP_HEADER_CONTENT_DISPOSITION,
                                disposition_.c_str()) != MHD_YES) {
        MHD_destroy_response(answer);
        return nullptr;
    }
    return answer;
}

void BookServer::Destroy::operator()(MHD_Response* response) const {
    MHD_destroy_response(response);
}

void BookServer::Destroy::operator()(MHD_Daemon* daemon) const {
    MHD_stop_daemon(daemon);
}

}  // namespace velmora
