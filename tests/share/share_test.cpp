// The book handed to a phone: its address and headers byte for byte, and the server talked to
// over loopback only, as a phone and as an attacker would.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <array>
#include <thread>

#include "platform/local_addresses.h"
#include "platform/socket_cut.h"
#include "share/book_address.h"
#include "share/book_server.h"
#include "support/fakes.h"

namespace velmora {
namespace {

using namespace testing;

constexpr std::uint32_t kLoopback = 0x7F000001;  // 127.0.0.1: never this machine's LAN address

TEST(BookAddress, IsComposedByteForByteAndPrivateFirst) {
    const std::uint8_t bytes[] = {'f', 'o', 'o', 'b', 'a', 'r', 0xFB, 0xFF, 0xBF};
    const std::tuple<int, int, const char*> tokens[] = {
        {0, 1, "Zg"}, {0, 2, "Zm8"}, {0, 6, "Zm9vYmFy"}, {6, 3, "-_-_"}, {6, 2, "-_8"},
    };
    for (const auto& [from, count, token] : tokens) {
        EXPECT_EQ(UrlToken(std::span(bytes).subspan(from, count)), token);
    }
    const std::string name = "我的 歌词本~.epub";
    const std::string encoded = "%E6%88%91%E7%9A%84%20%E6%AD%8C%E8%AF%8D%E6%9C%AC~.epub";
    EXPECT_EQ(BookUrl(0xC0A80102, 8080, "t0k-_", name), "http://192.168.1.2:8080/t0k-_/" + encoded);
    EXPECT_EQ(BookUrl(kLoopback, 1, "t", "a#b&c+d.epub"),
              "http://127.0.0.1:1/t/a%23b%26c%2Bd.epub");
    EXPECT_EQ(ContentDisposition(name),
              "attachment; filename=\"__ ___~.epub\"; filename*=UTF-8''" + encoded);
    EXPECT_EQ(ContentDisposition("a\"b\\c\x01\x7F;!.epub"),
              "attachment; filename=\"a_b_c__;!.epub\"; filename*=UTF-8''a%22b%5Cc%01%7F%3B!.epub");
    // New every time, of 16 bytes.
    const std::string first = NewUrlToken(), second = NewUrlToken();
    EXPECT_NE(first, second);
    EXPECT_EQ(first.size(), 22u);
    // Private addresses first; loopback is none of this machine's.
    const std::vector<std::uint32_t> local = LocalIpv4Addresses();
    EXPECT_EQ(std::count(local.begin(), local.end(), kLoopback), 0);
    // 8.8.8.8, 169.254.1.1, 172.31.0.1, 172.32.0.1, 10.0.0.1, 192.168.0.5, 192.169.0.1, 172.15.0.1
    EXPECT_EQ(LanAddressesFirst({0x08080808, 0xA9FE0101, 0xAC1F0001, 0xAC200001, 0x0A000001,
                                 0xC0A80005, 0xC0A90001, 0xAC0F0001}),
              (std::vector<std::uint32_t>{0xAC1F0001, 0x0A000001, 0xC0A80005, 0x08080808,
                                          0xA9FE0101, 0xAC200001, 0xC0A90001, 0xAC0F0001}));
}

#ifdef _WIN32
constexpr int kNoSignal = 0;  // a closed peer gives an error there, never a signal
Socket NewSocket() {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);  // counted: each has its WSACleanup
    return ::socket(AF_INET, SOCK_STREAM, 0);
}
void CloseSocket(Socket socket) {
    ::closesocket(socket);
    ::WSACleanup();
}
bool WasReset() {
    return ::WSAGetLastError() == WSAECONNRESET;
}
#else
constexpr int kNoSignal = MSG_NOSIGNAL;
Socket NewSocket() {
    return ::socket(AF_INET, SOCK_STREAM, 0);
}
void CloseSocket(Socket socket) {
    ::close(socket);
}
bool WasReset() {
    return errno == ECONNRESET;
}
#endif

sockaddr_in Address(std::uint32_t host, std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(host);
    return address;
}

// A client socket, bound to `from` (a loopback address, as a client elsewhere) when given.
class Client {
public:
    // `window`, when given, is what the client's socket takes in before the server waits.
    explicit Client(std::uint16_t port, std::uint32_t from = 0, std::uint32_t host = kLoopback,
                    int window = 0) {
        // Reads give up rather than hang a test.
#ifdef _WIN32
        const DWORD wait = 5000;
#else
        const timeval wait{5, 0};
#endif
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&wait), sizeof wait);
        if (window > 0) {
            setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&window),
                       sizeof window);
        }
        const sockaddr_in source = Address(from, 0);
        bind(fd_, reinterpret_cast<const sockaddr*>(&source), sizeof source);  // 0: any
        const sockaddr_in to = Address(host, port);
        connected = connect(fd_, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
    }
    ~Client() {
        CloseSocket(fd_);
    }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    bool Send(const std::string& bytes) const {
        return send(fd_, bytes.data(), static_cast<int>(bytes.size()), kNoSignal) ==
               std::ssize(bytes);
    }
    // Everything until the server closes (or a reset): what came, and whether it closed.
    std::pair<std::string, bool> ReceiveAll() const {
        std::string got;
        std::array<char, 65536> buffer{};
        ssize_t n = 0;
        while ((n = recv(fd_, buffer.data(), static_cast<int>(buffer.size()), 0)) > 0) {
            got.append(buffer.data(), static_cast<std::size_t>(n));
        }
        return {got, n == 0 || WasReset()};
    }

    // Up to `most` bytes, what came first.
    std::string Receive(std::size_t most) const {
        std::string got(most, '\0');
        const ssize_t n = recv(fd_, got.data(), static_cast<int>(most), 0);
        got.resize(static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        return got;
    }

    bool connected = false;

private:
    Socket fd_ = NewSocket();
};

const std::pair<std::string, bool> kClosed{"", true};

std::string Body(const std::string& answer) {
    return answer.substr(std::min(answer.size(), answer.find("\r\n\r\n") + 4));
}

class BookServerTest : public ::testing::Test {
public:
    BookServerTest() {
        // Every byte value, more than the socket buffers hold (4 MiB): a client gone early
        // cannot have had it all.
        for (unsigned i = 0; i < 8'000'000; ++i) {
            bookBytes += static_cast<char>((i * 7919) >> 3);
        }
        WriteBytes(book, bookBytes);
    }
    std::unique_ptr<BookServer> Serve(ServerLimits limits = {kLoopback, 8, 30}) {
        return std::make_unique<BookServer>(book, "/" + token + "/我的歌词本.epub", limits,
                                            [this] { ++called; });
    }

    TempDir dir;
    fs::path book = dir / u8"我的歌词本.epub";
    std::string bookBytes;
    std::string token = NewUrlToken();
    std::string get = "GET /" + token + "/我的歌词本.epub HTTP/1.0\r\n\r\n";
    std::atomic<int> called = 0;
};

// Only a whole GET of the book is a download; the book is the one there when it started.
TEST_F(BookServerTest, AnswersTheBookAndNothingElse) {
    const auto server = Serve();
    Client(server->port()).Send(get);  // and gone
    WriteBytes(dir / "new.epub", "the next build's book");
    fs::rename(dir / "new.epub", book);
    const std::string path = "/" + token + "/%E6%88%91%E7%9A%84%E6%AD%8C%E8%AF%8D%E6%9C%AC.epub";
    const std::vector<std::string> served{
        "HTTP/1.1 200 OK\r\n", "\r\nContent-Length: 8000000\r\n",
        "\r\nContent-Type: application/epub+zip\r\n",
        "\r\nContent-Disposition: " + ContentDisposition("我的歌词本.epub") + "\r\n"};
    const std::vector<std::string> notFound{"HTTP/1.1 404 Not Found\r\n",
                                            "\r\nContent-Length: 0\r\n"};
    // A request, and what the head of its answer must hold, the status first.
    const std::tuple<const char*, std::string, std::vector<std::string>> table[] = {
        {"GET", "GET " + path + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n", served},
        {"HEAD", "HEAD " + path + " HTTP/1.0\r\n\r\n", served},
        {"OtherToken", "GET /" + NewUrlToken() + path.substr(23) + " HTTP/1.0\r\n\r\n", notFound},
        {"TokenAlone", "GET /" + token + " HTTP/1.0\r\n\r\n", notFound},
        {"UpAndBack", "GET /" + token + "/.." + path + " HTTP/1.0\r\n\r\n", notFound},
        {"OtherFile", "GET /" + token + "/../share_tests HTTP/1.0\r\n\r\n", notFound},
        {"SecondName", "GET " + path + "/x.epub HTTP/1.0\r\n\r\n", notFound},
        {"Post", "POST " + path + " HTTP/1.0\r\nContent-Length: 2\r\n\r\nab", notFound},
        {"LongLine", "GET /" + std::string(100'000, 'a') + " HTTP/1.0\r\n\r\n", {"HTTP/1.1 414"}},
        {"NotHttp", "\x16\x03\x01 hello\r\n\r\n", {"HTTP/1.1 400"}},
    };
    for (const auto& [name, request, answer] : table) {
        SCOPED_TRACE(name);
        const Client client(server->port());
        EXPECT_TRUE(client.Send(request));
        const std::string got = client.ReceiveAll().first;
        EXPECT_TRUE(got.starts_with(answer[0])) << got.substr(0, 300);
        for (const std::string& line : answer) {
            EXPECT_NE(got.substr(0, got.find("\r\n\r\n") + 2).find(line), std::string::npos)
                << line;
        }
        // The library's own answers to broken requests carry a fixed page; ours carry none.
        if (answer.size() > 1) {
            EXPECT_EQ(Body(got), std::string_view(name) == "GET" ? bookBytes : "");
        }
        // A download is counted as its connection ends, which may come after the client has it.
        for (int wait = 0; wait < 200 && called == 0; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_EQ(server->downloads(), 1u);
        EXPECT_EQ(called, 1);
    }
}

// No client can hold the server: two connections an address; a deadline for headers that
// trickling bytes do not put off; a newcomer takes the slot of the longest dawdler.
TEST_F(BookServerTest, DawdlersCannotHoldTheServer) {
    const auto server = Serve();
    const auto from = [](std::uint32_t n) { return kLoopback + n; };
    {
        const Client first(server->port(), from(1));
        const Client second(server->port(), from(1));
        EXPECT_EQ(Client(server->port(), from(1)).ReceiveAll(), kClosed);
    }
    std::vector<std::unique_ptr<Client>> dawdlers;
    for (std::uint32_t n = 0; n < 8; ++n) {
        dawdlers.push_back(std::make_unique<Client>(server->port(), from(2 + n / 2)));
        dawdlers.back()->Send("GET /");
    }
    // Well before the ten seconds a request's headers may take.
    const Client phone(server->port(), from(9));
    phone.Send(get);
    EXPECT_EQ(Body(phone.ReceiveAll().first), bookBytes);
    EXPECT_EQ(dawdlers.front()->ReceiveAll(), kClosed);
    dawdlers[1]->Send(get.substr(5));  // the next longest kept its slot
    EXPECT_EQ(Body(dawdlers[1]->ReceiveAll().first), bookBytes);

    const auto strict = Serve({kLoopback, 8, 30, 2, std::chrono::milliseconds(500)});
    const Client trickling(strict->port());
    for (int byte = 0; byte < 30 && trickling.Send("X"); ++byte) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(trickling.ReceiveAll(), kClosed);
    // Once asked, a download slower than the deadline goes on.
    const Client slow(strict->port());
    slow.Send(get);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(Body(slow.ReceiveAll().first), bookBytes);
}

// Eight readers that take a kilobyte and no more hold every slot; past the floor's window,
// a phone gets the book all the same, in the slot of one of them.
TEST_F(BookServerTest, SlowReadersGiveUpTheirSlots) {
    const auto server = Serve({kLoopback,
                               8,
                               30,
                               2,
                               std::chrono::milliseconds(10'000),
                               {8 * 1024, std::chrono::seconds(1)}});
    std::vector<std::unique_ptr<Client>> slow;
    for (std::uint32_t n = 0; n < 8; ++n) {
        slow.push_back(
            std::make_unique<Client>(server->port(), kLoopback + 1 + n / 2, kLoopback, 4096));
        slow.back()->Send(get);
        std::size_t got = 0;
        while (got < 1024) {
            const std::size_t piece = slow.back()->Receive(1024 - got).size();
            ASSERT_GT(piece, 0u);
            got += piece;
        }
    }
    // Too soon: each is still within its first window, and the newcomer is turned away.
    EXPECT_EQ(Client(server->port(), kLoopback + 9).ReceiveAll(), kClosed);
    std::this_thread::sleep_for(std::chrono::milliseconds(2200));
    const Client phone(server->port(), kLoopback + 10);
    phone.Send(get);
    EXPECT_EQ(Body(phone.ReceiveAll().first), bookBytes);
    EXPECT_EQ(server->downloads(), 1u);
}

// It listens only where told, drops a staller, closes all at once, and refuses no book.
TEST_F(BookServerTest, ListensWhereToldDropsStallsAndClosesAtOnce) {
    auto server = Serve({kLoopback, 8, 1});
    // 127.0.0.2 is this machine too, but not the address the server listens on.
    EXPECT_FALSE(Client(server->port(), 0, kLoopback + 1).connected);
    const Client stalled(server->port());
    stalled.Send("GET /");
    EXPECT_EQ(stalled.ReceiveAll(), kClosed);
    server = Serve();
    const std::uint16_t port = server->port();
    const Client waiting(port);
    waiting.Send("GET /");
    server.reset();
    // At once: well before the 30 s a client may stay idle, and the 5 s a read waits here.
    EXPECT_EQ(waiting.ReceiveAll(), kClosed);
    EXPECT_FALSE(Client(port).connected);
    EXPECT_EQ(FailureOf([&] { BookServer(dir / "gone.epub", "/t/gone.epub", {}); }),
              Described(Problem::CannotServe, dir / "gone.epub", ENOENT));
    EXPECT_EQ(FailureOf([&] { BookServer(dir.path(), "/t/x", {}); }),
              Described(Problem::CannotServe, dir.path(), EISDIR));
}

}  // namespace
}  // namespace velmora
