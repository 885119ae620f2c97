// Handing a book to a phone: how long "扫码下载到手机" takes to open (the server started,
// the address coded, the dialog shown and painted), and how fast a 50 MB book comes down
// over loopback. Prints one JSON object. Runs on any Qt platform (offscreen by default).

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ui/phone/phone_dialog.h"

namespace {

namespace fs = std::filesystem;

// The bytes of one GET of `path` on 127.0.0.1, head and body.
std::uint64_t Download(std::uint16_t port, const std::string& path) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        throw std::runtime_error("cannot connect");
    }
    const std::string request = "GET " + path + " HTTP/1.0\r\n\r\n";
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    std::array<char, 1 << 20> buffer{};
    std::uint64_t total = 0;
    for (ssize_t n; (n = ::recv(fd, buffer.data(), buffer.size(), 0)) > 0;) {
        total += static_cast<std::uint64_t>(n);
    }
    ::close(fd);
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    std::string pattern = (fs::temp_directory_path() / "velmora-phone-XXXXXX").string();
    const fs::path root = ::mkdtemp(pattern.data());
    const fs::path book = root / "我的歌词本.epub";
    constexpr std::uint64_t kBookBytes = 50'000'000;
    {
        std::ofstream out(book, std::ios::binary);
        const std::string block(1 << 20, 'x');
        for (std::uint64_t left = kBookBytes; left > 0;) {
            const std::uint64_t n = std::min<std::uint64_t>(left, block.size());
            out.write(block.data(), static_cast<std::streamsize>(n));
            left -= n;
        }
    }

    QElapsedTimer timer;
    timer.start();
    PhoneDialog dialog(nullptr, book, {INADDR_LOOPBACK}, [] {});
    dialog.show();
    dialog.repaint();
    QCoreApplication::processEvents();
    const double openMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;

    const QString address = dialog.Address();
    const std::string path =
        address.mid(address.indexOf('/', static_cast<int>(sizeof "http://") - 1)).toStdString();
    double slowest = 1e12;
    std::uint64_t got = 0;
    for (int run = 0; run < 5; ++run) {
        timer.restart();
        got = Download(dialog.Port(), path);
        const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        slowest = std::min(slowest, static_cast<double>(kBookBytes) / 1e6 / seconds);
    }
    std::printf(
        "{\"dialog_open_ms\": %.1f, \"book_bytes\": %llu, \"received_bytes\": %llu, "
        "\"download_mb_per_s_slowest_of_5\": %.0f}\n",
        openMs, static_cast<unsigned long long>(kBookBytes), static_cast<unsigned long long>(got),
        slowest);
    fs::remove_all(root);
    return got > kBookBytes ? 0 : 1;
}
