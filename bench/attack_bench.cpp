// What a hostile or merely unlucky user brings, each in a child process of its own so that
// its peak memory is its own: files that would eat gigabytes or the stack, a conversion of
// the largest collection, a kill in the middle of it and what the next start brings back, a
// journal of two million moves, and slow readers holding the phone's server. Prints one JSON
// line a case: its time, its peak resident memory and what came of it.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <malloc.h>

#include <QCoreApplication>
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include "app/conversion.h"
#include "epub/archiver.h"
#include "import/importer.h"
#include "platform/child_process.h"
#include "platform/clock.h"
#include "program_folder.h"
#include "share/book_server.h"
#include "text/failure.h"
#include "text/limits.h"
#include "workspace/earlier_runs.h"
#include "workspace/journal.h"
#include "workspace/workspace.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

std::string BigEndian(std::uint32_t n) {
    return {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
}

std::string Frame(const std::string& id, const std::string& body) {
    return id + BigEndian(static_cast<std::uint32_t>(body.size())) + std::string(2, '\0') + body;
}

std::string Id3(const std::string& frames) {
    std::string size;
    for (int shift = 21; shift >= 0; shift -= 7) {
        size += char(frames.size() >> shift & 0x7F);
    }
    return std::string("ID3\3\0\0", 6) + size + frames;
}

const std::string kLyric = Frame("USLT", std::string("\3zho\0", 5) + "词");

// Chapters `depth` deep, written outside in.
std::string Chapters(int depth) {
    const std::string fields = std::string("c\0", 2) + std::string(16, '\0');
    const std::string inner = Frame("TIT2", std::string("\0x", 2));
    std::string nest;
    for (int level = depth; level > 0; --level) {
        nest += "CHAP" +
                BigEndian(
                    static_cast<std::uint32_t>(level * (fields.size() + 10) - 10 + inner.size())) +
                std::string(2, '\0') + fields;
    }
    return nest + inner;
}

std::string Grouping() {
    std::string values(1, '\0');
    for (int i = 0; i < 7'000'000; ++i) {
        values.append("x\0", 2);
    }
    return Id3(Frame("GRP1", values) + kLyric);
}

void Write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

// A book of ours whose one song page holds `body`, zipped by 7za.
fs::path Book(const fs::path& dir, const std::string& name, const std::string& body) {
    const fs::path tree = dir / (name + ".tree");
    fs::create_directories(tree / "text");
    Write(tree / "content.opf",
          "<?xml version=\"1.0\"?><package xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
          "<metadata><dc:title>书</dc:title><dc:source>Velmora</dc:source><dc:contributor>"
          "Velmora</dc:contributor></metadata><manifest><item id=\"p\" href=\"text/p.html\"/>"
          "</manifest><spine><itemref idref=\"p\"/></spine></package>");
    std::ofstream page(tree / "text" / "p.html", std::ios::binary);
    page << "<?xml version=\"1.0\"?><html><body><h2>歌</h2>" << body << "</body></html>";
    page.close();
    const fs::path book = dir / (name + ".epub");
    velmora::ChildProcess zip(velmora::FindArchiver(dir / "7za"),
                              {"a", "-tzip", book.string(), (tree / "*").string()},
                              velmora::ProcessOptions{});
    zip.Wait();
    fs::remove_all(tree);
    return book;
}

std::string Repeated(const std::string& text, std::size_t times) {
    std::string repeated;
    repeated.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        repeated += text;
    }
    return repeated;
}

// Runs the case in a child: its time, its peak memory and what it said, as a JSON line.
void Measured(const char* name, const std::function<std::string()>& attack) {
    int out[2];
    if (::pipe(out) != 0) {
        throw std::runtime_error("pipe");
    }
    const auto start = Clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        std::string said;
        try {
            said = attack();
        } catch (const std::exception& error) {
            said = std::string("raised: ") + error.what();
        }
        (void)::write(out[1], said.data(), said.size());
        ::_exit(0);
    }
    ::close(out[1]);
    std::string said;
    std::array<char, 4096> buffer{};
    for (ssize_t n; (n = ::read(out[0], buffer.data(), buffer.size())) > 0;) {
        said.append(buffer.data(), static_cast<std::size_t>(n));
    }
    ::close(out[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    std::printf("{\"case\": \"%s\", \"seconds\": %.2f, \"peak_mib\": %ld, \"result\": %s}\n", name,
                Seconds(Clock::now() - start), usage.ru_maxrss / 1024, said.c_str());
    std::fflush(stdout);
}

struct Never : velmora::ImportProgress {
    bool Going(std::size_t, std::size_t) override { return true; }
};

// Told as the window would be: the longest the window's thread went without being told.
struct Watched : velmora::ImportProgress {
    bool Going(std::size_t, std::size_t) override {
        const auto now = Clock::now();
        longest = std::max(longest, now - last);
        last = now;
        return true;
    }
    Clock::time_point last = Clock::now();
    Clock::duration longest{};
};

std::string Imported(const fs::path& app, const std::vector<fs::path>& files) {
    const velmora::SystemClock clock;
    velmora::Workspace run(app, clock);
    run.ReadyToMake();
    Never going;
    const velmora::ImportReport report = velmora::Import(run, velmora::ImportFiles(files), going);
    std::string said = "{\"songs\": " + std::to_string(report.songs) + ", \"skipped\": [";
    for (const velmora::Failure& failure : report.skipped) {
        said += (said.back() == '[' ? "" : ", ") + std::to_string(int(failure.problem()));
    }
    return said + "]}";
}

// A line of /proc/self/status, in KiB.
long Kernel(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(key)) {
            return std::stol(line.substr(key.size()));
        }
    }
    return -1;
}

// "歌" and a character of its number, for songs to tell apart.
std::u16string Named(int n) {
    std::u16string name(2, u'歌');
    name[1] = static_cast<char16_t>(u'一' + n);
    return name;
}

// The largest collection: 9,999 songs of 2,000 lines in Traditional Chinese.
std::vector<velmora::Song> Largest() {
    std::vector<velmora::Song> songs;
    std::u16string lyric;
    for (int line = 0; line < 2000; ++line) {
        lyric += u"軟體裡存著頭髮的記憶\r\n";
    }
    for (int n = 1; n <= velmora::kMaxSongs; ++n) {
        songs.push_back({Named(n % 100), lyric, u"劉若英"});
    }
    return songs;
}

// Adds the songs, then converts them all to Simplified Chinese as the window does; `began`
// is told once the songs are in.
std::string Convert(
    const fs::path& app, const std::function<void()>& began = [] {}) {
    const velmora::SystemClock clock;
    velmora::Workspace run(app, clock);
    run.ReadyToMake();
    run.AddSongs(1, Largest());
    began();
    // From here on, the conversion's own memory: what setting up freed goes back, and the
    // peak is counted afresh.
    ::malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = Kernel("VmRSS:");
    std::uint64_t units = 0;
    for (int n = 1; n <= run.Songs().SongCount(); ++n) {
        const velmora::Song& song = run.Songs().At(n);
        units += song.name.size() + song.lyric.size() + song.artist.size() + song.credits.size();
    }
    const auto start = Clock::now();
    Watched watched;
    auto edits = Converted(run.Songs(), velmora::ScriptForm::Simplified, watched);
    const auto converted = Clock::now();
    run.EditSongs(edits, [&watched](std::size_t done, std::size_t total) {
        return watched.Going(done, total);
    });
    return "{\"convert_s\": " + std::to_string(Seconds(converted - start)) +
           ", \"write_s\": " + std::to_string(Seconds(Clock::now() - converted)) +
           ", \"window_unanswered_ms\": " +
           std::to_string(
               std::chrono::duration_cast<std::chrono::milliseconds>(watched.longest).count()) +
           ", \"journal_mib\": " + std::to_string(fs::file_size(run.Layout().SongLog()) >> 20) +
           ", \"songs_mib\": " + std::to_string(units * 2 >> 20) +
           ", \"rss_before_mib\": " + std::to_string(before >> 10) +
           ", \"peak_converting_mib\": " + std::to_string(Kernel("VmHWM:") >> 10) + "}";
}

std::string Restored(const fs::path& app) {
    const velmora::SystemClock clock;
    velmora::Workspace next(app, clock);
    const auto found = velmora::FindUnbuiltRun(next.Layout());
    return "{\"songs\": " + std::to_string(found ? found->songs.size() : 0) +
           ", \"unreadable\": " + std::to_string(found ? found->unreadable : 0) + "}";
}

// `into` seconds after the songs are in, the conversion is killed.
void KillMidConversion(const fs::path& app, int into) {
    int in[2];
    if (::pipe(in) != 0) {
        throw std::runtime_error("pipe");
    }
    const pid_t child = ::fork();
    if (child == 0) {
        Convert(app, [&] { (void)::write(in[1], "x", 1); });
        ::_exit(0);
    }
    char began = 0;
    (void)::read(in[0], &began, 1);
    std::this_thread::sleep_for(std::chrono::seconds(into));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(in[0]);
    ::close(in[1]);
}

std::string Moves(const fs::path& app) {
    const velmora::SystemClock clock;
    {
        velmora::Workspace run(app, clock);
        run.ReadyToMake();
        std::string log;
        for (int n = 1; n <= 100; ++n) {
            log += velmora::AddRecord(n, {Named(n), u"词"});
        }
        std::mt19937 random(7);
        for (int i = 0; i < 2'000'000; ++i) {
            log += velmora::MoveRecord(1 + int(random() % 100), 1 + int(random() % 100));
        }
        Write(run.Layout().SongLog(), log);
    }
    const auto start = Clock::now();
    const std::string found = Restored(app);
    return "{\"replay_s\": " + std::to_string(Seconds(Clock::now() - start)) +
           ", \"found\": " + found + "}";
}

int Connect(std::uint16_t port, std::uint32_t from, int window) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (window > 0) {
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &window, sizeof window);
    }
    const sockaddr_in source{AF_INET, 0, {htonl(from)}, {}};
    ::bind(fd, reinterpret_cast<const sockaddr*>(&source), sizeof source);
    const sockaddr_in to{AF_INET, htons(port), {htonl(INADDR_LOOPBACK)}, {}};
    ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    return fd;
}

// Eight readers that take 1 KiB every 20 s hold the URL; a phone comes 12 s later.
std::string SlowReaders(const fs::path& dir) {
    const fs::path book = dir / "我的歌词本.epub";
    Write(book, std::string(20'000'000, 'x'));
    const velmora::BookServer server(book, "/t/book.epub", {INADDR_LOOPBACK});
    const std::string get = "GET /t/book.epub HTTP/1.0\r\n\r\n";
    std::vector<int> slow;
    for (std::uint32_t n = 0; n < 8; ++n) {
        slow.push_back(Connect(server.port(), INADDR_LOOPBACK + 1 + n / 2, 4096));
        ::send(slow.back(), get.data(), get.size(), MSG_NOSIGNAL);
    }
    std::array<char, 1024> kilobyte{};
    for (const int fd : slow) {
        ::recv(fd, kilobyte.data(), kilobyte.size(), 0);
    }
    std::this_thread::sleep_for(std::chrono::seconds(12));
    const auto start = Clock::now();
    const int phone = Connect(server.port(), INADDR_LOOPBACK + 20, 0);
    ::send(phone, get.data(), get.size(), MSG_NOSIGNAL);
    std::uint64_t got = 0;
    std::array<char, 65536> buffer{};
    for (ssize_t n; (n = ::recv(phone, buffer.data(), buffer.size(), 0)) > 0;) {
        got += static_cast<std::uint64_t>(n);
    }
    const double took = Seconds(Clock::now() - start);
    for (const int fd : slow) {
        ::close(fd);
    }
    ::close(phone);
    return "{\"phone_bytes\": " + std::to_string(got) + ", \"phone_s\": " + std::to_string(took) +
           "}";
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qt(argc, argv);
    const fs::path root = TemporaryRoot();
    const fs::path app = ProgramFolder(root, "app", VELMORA_TEMPLATE_DIR);
    const fs::path files = root / "files";
    fs::create_directory(files);
    fs::create_symlink(velmora::FindArchiver(app / "7za"), files / "7za");
    Write(files / "deep.mp3", Id3(Chapters(20'000) + kLyric));
    Write(files / "deeper.mp3", Id3(Chapters(100'000) + kLyric));
    Write(files / "grouping.mp3", Grouping());
    fs::create_directory(files / "five");
    for (int i = 1; i <= 5; ++i) {
        fs::copy_file(files / "grouping.mp3", files / "five" / (std::to_string(i) + ".mp3"));
    }
    const fs::path paragraphs = Book(files, "paragraphs", Repeated("<p></p>", 12'500'000));
    const fs::path stanza = Book(files, "stanza", "<p>" + Repeated("词<br/>", 12'500'000) + "</p>");
    Measured("deep CHAP (20,000)", [&] { return Imported(app, {files / "deep.mp3"}); });
    Measured("deeper CHAP (100,000)", [&] { return Imported(app, {files / "deeper.mp3"}); });
    Measured("GRP1 of 7 million values", [&] { return Imported(app, {files / "grouping.mp3"}); });
    Measured("a folder of five GRP1 bombs", [&] { return Imported(app, {files / "five"}); });
    Measured("12.5 million <p>", [&] { return Imported(app, {paragraphs}); });
    Measured("one 100 MB stanza", [&] { return Imported(app, {stanza}); });
    Measured("2,000,000 moves",
             [&] { return Moves(ProgramFolder(root, "moves", VELMORA_TEMPLATE_DIR)); });
    Measured("8 slow readers and a phone", [&] { return SlowReaders(root); });
    if (argc > 1 && std::string(argv[1]) == "--largest") {
        const fs::path big = ProgramFolder(root, "big", VELMORA_TEMPLATE_DIR);
        Measured("全部转为简体: 9,999 songs of 2,000 lines", [&] { return Convert(big); });
        const fs::path killed = ProgramFolder(root, "killed", VELMORA_TEMPLATE_DIR);
        KillMidConversion(killed, 20);
        Measured("restore after kill -9 mid-conversion", [&] { return Restored(killed); });
    }
    fs::remove_all(root);
    return 0;
}
