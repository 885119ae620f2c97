#include "workspace/earlier_runs.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <iterator>
#include <tuple>

#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/folder_lock.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "text/limits.h"
#include "text/text_files.h"
#include "workspace/journal.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr char kTaken[] = "taken\r\n";
constexpr char kBuilt[] = "built ";

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

bool Before(const Song* a, const Song* b) {
    return *a < *b;
}

std::vector<const Song*> Sorted(const std::vector<Song>& songs) {
    std::vector<const Song*> sorted;
    for (const Song& song : songs) {
        sorted.push_back(&song);
    }
    std::sort(sorted.begin(), sorted.end(), Before);
    return sorted;
}

// How many of `songs` are not among `built`, each of those counting once.
std::size_t NotAmong(const std::vector<Song>& songs, const std::vector<Song>& built) {
    const std::vector<const Song*> mine = Sorted(songs), theirs = Sorted(built);
    std::vector<const Song*> left;
    std::set_difference(mine.begin(), mine.end(), theirs.begin(), theirs.end(),
                        std::back_inserter(left), Before);
    return left.size();
}

// The run's journal; empty when it has none. Raises a Failure when it cannot be read whole.
std::string JournalOf(const RunLayout& run) {
    FileContent content = ReadWholeFile(run.SongLog(), kLargestBook);
    switch (content.status) {
        case FileContent::Status::Read:
            return std::move(content.bytes);
        case FileContent::Status::CannotOpen:
            if (content.error == ENOENT) {
                return {};
            }
            break;
        case FileContent::Status::TooLarge:
            // Said once: the next start does not stop at it again. Its folder stays.
            MarkTaken(run);
            throw Failure(Problem::EarlierRunTooLarge, run.SongLog());
        default:
            break;
    }
    throw Failure(Problem::EarlierRunUnreadable, run.SongLog(), content.error);
}

std::string Read(const fs::path& path, std::uint64_t limit) {
    FileContent content = ReadWholeFile(path, limit);
    return content ? std::move(content.bytes) : std::string();
}

}  // namespace

void SaveRunBoxes(const RunLayout& run, const RunBoxes& boxes) {
    SaveBytes(run.Boxes(), "cover=" + Escaped(boxes.cover) + "\nsave=" + Escaped(boxes.savePlace) +
                               "\ntitle=" + Escaped(boxes.title) +
                               "\nauthor=" + Escaped(boxes.author) + "\n");
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
        }
    }
    return boxes;
}

void MarkBuilt(const RunLayout& run, std::uint64_t journalLength) {
    (void)ReplaceFile(run.Marks(), kBuilt + std::to_string(journalLength) + "\r\n");
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
        const std::string journal = JournalOf(run);
        if (journal.empty()) {
            continue;
        }
        Replay replay = ReplayJournal(journal);
        std::uint64_t built = 0;
        if (mark.starts_with(kBuilt)) {
            std::from_chars(mark.data() + 6, mark.data() + mark.size(), built);
        }
        if (replay.songs.empty() || (mark.starts_with(kBuilt) && built >= replay.length)) {
            return std::nullopt;
        }
        std::optional<std::size_t> notInBook;
        if (mark.starts_with(kBuilt)) {
            notInBook = NotAmong(replay.songs,
                                 ReplayJournal(std::string_view(journal).substr(0, built)).songs);
        }
        return UnbuiltRun{folder, std::move(replay.songs), ReadRunBoxes(run), notInBook};
    }
    return std::nullopt;
}

}  // namespace velmora
