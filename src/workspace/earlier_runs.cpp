#include "workspace/earlier_runs.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <iterator>
#include <tuple>

#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/folder_lock.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "text/limits.h"
#include "text/text_files.h"
#include "workspace/journal_replay.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr char kTaken[] = "taken\r\n";
constexpr char kBuilt[] = "built ";
constexpr char kBook[] = "book\r\n";
// What is read of a journal at a time.
constexpr std::size_t kJournalPiece = 1024 * 1024;

// A box's text on one line: backslashes and line ends escaped.
std::string Escaped(std::u16string_view text) {
    std::string line;
    for (const char c : codepage::ToUtf8(text)) {
        line += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
    }
    return line;
}

std::u16string Unescaped(std::string_view line) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            const char next = line[++i];
            text += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else {
            text += line[i];
        }
    }
    return codepage::FromUtf8(text);
}

// Runs are named by their start stamp, "_2", "_3"… for later starts in the same second.
std::optional<std::pair<long long, long long>> Order(const fs::path& folder) {
    const std::string name = folder.filename().string();
    long long stamp = 0;
    long long suffix = 1;
    const char* end = name.data() + name.size();
    auto [at, error] = std::from_chars(name.data(), end, stamp);
    if (error != std::errc() || (at != end && *at != '_')) {
        return std::nullopt;
    }
    if (at != end && std::from_chars(at + 1, end, suffix).ec != std::errc()) {
        return std::nullopt;
    }
    return std::pair(stamp, suffix);
}

// The runs other than this one, the one whose songs changed last first. A stamp is local
// time and goes back with the clock's zone; when a journal last changed does not. Stamps
// only tell apart runs changed within the file system's tick.
std::vector<fs::path> EarlierRuns(const RunLayout& layout) {
    using Key = std::tuple<std::int64_t, long long, long long>;
    std::vector<std::pair<Key, fs::path>> runs;
    for (const fs::path& folder : Entries(layout.RunsFolder())) {
        if (const auto order = Order(folder); order && !SameFile(folder, layout.WorkDir())) {
            const auto changed = LastChanged(layout.ForRun(folder).SongLog());
            runs.emplace_back(
                Key{changed.value_or(LastChanged(folder).value_or(0)), order->first, order->second},
                folder);
        }
    }
    std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a > b; });
    std::vector<fs::path> folders;
    for (auto& run : runs) {
        folders.push_back(std::move(run.second));
    }
    return folders;
}

// The run's journal replayed as it is read, a piece at a time, up to `upTo` bytes; nothing
// when the run has none. Raises a Failure when it cannot be read.
std::optional<Replay> ReplayLog(const fs::path& log, std::uint64_t upTo = UINT64_MAX) {
    File file(log, File::Mode::OpenExisting);
    if (!file.isOpen() && file.error() == ENOENT) {
        return std::nullopt;
    }
    if (!file.isOpen() || file.type() != S_IFREG) {
        throw Failure(Problem::EarlierRunUnreadable, log, file.isOpen() ? 0 : file.error());
    }
    JournalReplay replay;
    std::string piece(kJournalPiece, '\0');
    for (std::uint64_t read = 0; read < upTo;) {
        const auto got =
            file.read(piece.data(),
                      static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), upTo - read)));
        if (!got) {
            throw Failure(Problem::EarlierRunUnreadable, log, file.error());
        }
        if (*got == 0) {
            break;
        }
        replay.Feed(std::string_view(piece).substr(0, *got));
        read += *got;
    }
    return replay.Finish();
}

// Songs by their prints: a book's, or the run's now.
std::uint64_t PrintOf(const Song& song) {
    // FNV-1a over the texts' units, each text ended by a unit no text holds alone.
    std::uint64_t print = 0xcbf29ce484222325;
    for (const std::u16string* text : {&song.name, &song.artist, &song.credits, &song.lyric}) {
        for (const char16_t unit : *text) {
            print = (print ^ unit) * 0x100000001b3;
        }
        print = (print ^ 0xFFFF) * 0x100000001b3;
    }
    return print;
}

BookPrint PrintOf(const std::vector<Song>& songs) {
    BookPrint book;
    book.reserve(songs.size());
    for (const Song& song : songs) {
        book.push_back(PrintOf(song));
    }
    return book;
}

// How many of the songs are not among the book's, each of the book's counting once.
std::size_t NotAmong(BookPrint songs, BookPrint book) {
    std::sort(songs.begin(), songs.end());
    std::sort(book.begin(), book.end());
    BookPrint left;
    std::set_difference(songs.begin(), songs.end(), book.begin(), book.end(),
                        std::back_inserter(left));
    return left.size();
}

// The book a mark names: by its songs' prints ("book" and a print a line), or, as runs
// before prints marked it, by the journal's length then ("built N").
std::optional<BookPrint> BookOf(const std::string& mark, const fs::path& log) {
    if (mark.starts_with(kBuilt)) {
        std::uint64_t built = 0;
        std::from_chars(mark.data() + 6, mark.data() + mark.size(), built);
        const std::optional<Replay> book = ReplayLog(log, built);
        return PrintOf(book ? book->songs : std::vector<Song>());
    }
    if (!mark.starts_with(kBook)) {
        return std::nullopt;
    }
    BookPrint book;
    std::string_view lines = std::string_view(mark).substr(std::size(kBook) - 1);
    while (lines.size() >= 18) {
        std::uint64_t print = 0;
        std::from_chars(lines.data(), lines.data() + 16, print, 16);
        book.push_back(print);
        lines.remove_prefix(18);
    }
    return book;
}

std::string Read(const fs::path& path, std::uint64_t limit) {
    FileContent content = ReadWholeFile(path, limit);
    return content ? std::move(content.bytes) : std::string();
}

}  // namespace

void SaveRunBoxes(const RunLayout& run, const RunBoxes& boxes) {
    SaveBytes(run.Boxes(),
              "cover=" + Escaped(boxes.cover) + "\nsave=" + Escaped(boxes.savePlace) +
                  "\ntitle=" + Escaped(boxes.title) + "\nauthor=" + Escaped(boxes.author) +
                  "\nname=" + Escaped(boxes.name) + "\nartist=" + Escaped(boxes.artist) +
                  "\nlyric=" + Escaped(boxes.lyric) + "\n");
}

std::optional<RunBoxes> ReadRunBoxes(const RunLayout& run) {
    FileContent content = ReadWholeFile(run.Boxes(), kLargestTemplate);
    if (!content) {
        return std::nullopt;
    }
    RunBoxes boxes;
    std::string_view lines = content.bytes;
    while (!lines.empty()) {
        const std::size_t end = std::min(lines.find('\n'), lines.size());
        const std::string_view line = lines.substr(0, end);
        lines.remove_prefix(std::min(end + 1, lines.size()));
        if (line.starts_with("cover=")) {
            boxes.cover = Unescaped(line.substr(6));
        } else if (line.starts_with("save=")) {
            boxes.savePlace = Unescaped(line.substr(5));
        } else if (line.starts_with("title=")) {
            boxes.title = Unescaped(line.substr(6));
        } else if (line.starts_with("author=")) {
            boxes.author = Unescaped(line.substr(7));
        } else if (line.starts_with("name=")) {
            boxes.name = Unescaped(line.substr(5));
        } else if (line.starts_with("artist=")) {
            boxes.artist = Unescaped(line.substr(7));
        } else if (line.starts_with("lyric=")) {
            boxes.lyric = Unescaped(line.substr(6));
        }
    }
    return boxes;
}

BookPrint PrintOf(const SongCollection& songs) {
    BookPrint book;
    book.reserve(static_cast<std::size_t>(songs.SongCount()));
    for (int n = 1; n <= songs.SongCount(); ++n) {
        book.push_back(PrintOf(songs.At(n)));
    }
    return book;
}

void MarkBuilt(const RunLayout& run, const BookPrint& book) {
    std::string mark = kBook;
    mark.reserve(mark.size() + 18 * book.size());
    char hex[17];
    for (const std::uint64_t print : book) {
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(print));
        mark.append(hex, 16).append("\r\n");
    }
    (void)ReplaceFile(run.Marks(), mark);
}

void MarkTaken(const RunLayout& run) {
    (void)ReplaceFile(run.Marks(), kTaken);
}

std::optional<UnbuiltRun> FindUnbuiltRun(const RunLayout& layout) {
    for (const fs::path& folder : EarlierRuns(layout)) {
        const RunLayout run = layout.ForRun(folder);
        if (const FolderLock ended(folder); !ended.held()) {
            continue;
        }
        // The most recent run with work: it is offered, or nothing is.
        const std::string mark = Read(run.Marks(), kLargestTemplate);
        if (mark == kTaken) {
            return std::nullopt;
        }
        std::optional<RunBoxes> boxes = ReadRunBoxes(run);
        const bool typed = boxes && boxes->HasTyped();
        std::optional<Replay> replay = ReplayLog(run.SongLog());
        if (!typed && (!replay || (replay->length == 0 && replay->unreadable == 0))) {
            continue;
        }
        if (!replay) {
            replay.emplace();
        }
        const std::optional<BookPrint> book = BookOf(mark, run.SongLog());
        const BookPrint now = PrintOf(replay->songs);
        if (!typed && (replay->songs.empty() || (book && *book == now))) {
            return std::nullopt;
        }
        std::optional<std::size_t> notInBook;
        if (book) {
            notInBook = NotAmong(now, *book);
        }
        return UnbuiltRun{folder,    std::move(replay->songs), std::move(boxes), typed,
                          notInBook, replay->unreadable};
    }
    return std::nullopt;
}

}  // namespace velmora
