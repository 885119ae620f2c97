#include "share/book_server.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/file.h"
#include "share/book_address.h"
#include "text/failure.h"

namespace velmora {

namespace {

// Marks a request for the book made with GET: the one kind that counts as a download.
char kBookRequest;

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
            return MHD_queue_response(connection, MHD_HTTP_OK, server->book_.get());
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
      visitors_(limits.connections, limits.headerDeadline) {
    File file(book, File::Mode::OpenNoWait);
    const std::optional<std::uint64_t> size =
        file.isOpen() ? file.size() : std::optional<std::uint64_t>();
    if (!size) {
        throw Failure(Problem::CannotServe, book, file.error());
    }
    if (const unsigned type = file.type(); type != S_IFREG) {
        throw Failure(Problem::CannotServe, book, type == S_IFDIR ? EISDIR : EINVAL);
    }

    const int fd = file.release();
    book_.reset(MHD_create_response_from_fd64(*size, fd));
    if (!book_) {
        ::close(fd);
    }
    notFound_.reset(NotFound());
    if (!book_ || !notFound_ ||
        MHD_add_response_header(book_.get(), MHD_HTTP_HEADER_CONTENT_TYPE,
                                "application/epub+zip") != MHD_YES ||
        MHD_add_response_header(book_.get(), MHD_HTTP_HEADER_CONTENT_DISPOSITION,
                                ContentDisposition(book.filename().string()).c_str()) != MHD_YES) {
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

void BookServer::Destroy::operator()(MHD_Response* response) const {
    MHD_destroy_response(response);
}

void BookServer::Destroy::operator()(MHD_Daemon* daemon) const {
    MHD_stop_daemon(daemon);
}

}  // namespace velmora
