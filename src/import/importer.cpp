#include "import/importer.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <unordered_set>

#include "import/book_reader.h"
#include "import/lyric_file.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "text/limits.h"
#include "text/natural_order.h"
#include "text/text_detection.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::string Extension(const fs::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool IsImportable(const fs::path& file) {
    const std::string extension = Extension(file);
    return extension == ".lrc" || extension == ".txt" || extension == ".epub";
}

std::string ReadFile(const fs::path& file, std::uint64_t largest,
                     const std::function<bool()>& going) {
    FileContent content = ReadWholeFile(file, largest, going);
    switch (content.status) {
        case FileContent::Status::Read:
            break;
        case FileContent::Status::NotRegular:
            throw Failure(Problem::NotRegularFile, file);
        case FileContent::Status::TooLarge:
            throw Failure(Problem::TooLarge, file);
        case FileContent::Status::Stopped:
            throw Failure(Problem::Stopped, file);
        default:
            throw Failure(Problem::Unreadable, file, content.error);
    }
    if (content.bytes.empty()) {
        throw Failure(Problem::Empty, file);
    }
    return std::move(content.bytes);
}

struct FileSongs {
    Book book;
    bool misread = false;  // some of its bytes fit no character: U+FFFD stands in for them
};

// The songs a file gives, every one with a name and a lyric, and the book they came from;
// a Failure says why it gives none.
FileSongs SongsOf(const fs::path& file, const std::function<bool()>& going) {
    if (!IsImportable(file)) {
        throw Failure(Problem::NotImportable, file);
    }
    const bool book = Extension(file) == ".epub";
    const std::string bytes = ReadFile(file, book ? kLargestBook : kLargestLyricFile, going);
    if (book) {
        Book read = ReadBook(bytes, going);
        if (std::any_of(read.songs.begin(), read.songs.end(),
                        [](const Song& song) { return song.name.empty() || song.lyric.empty(); })) {
            throw Failure(Problem::SongWithoutText, file);
        }
        return {std::move(read)};
    }
    const std::optional<std::u16string> text = DecodeTextFile(bytes);
    if (!text) {
        throw Failure(Problem::NotText, file);
    }
    const std::u16string name = DecodeFileName(file.stem().native());
    Song song = Extension(file) == ".lrc" ? SongFromLrc(*text, name) : SongFromText(*text, name);
    if (song.lyric.empty()) {
        throw Failure(Problem::NoLyric, file);
    }
    return {{{}, {}, {}, {std::move(song)}, {}}, text->find(u'\uFFFD') != std::u16string::npos};
}

// The reader's failures concern the file, not an entry of it.
Failure About(const Failure& failure, const fs::path& file) {
    return Failure(failure.problem(), file, failure.number(), failure.detail());
}

// The songs already in the list, and those brought in since: a song whose name, artist,
// credits and lyric are all one of these is not brought in again.
class KnownSongs {
public:
    explicit KnownSongs(const SongCollection& songs) {
        for (int n = 1; n <= songs.SongCount(); ++n) {
            known_.insert(Key(songs.At(n)));
        }
    }
    // The songs not known yet, now known.
    std::vector<Song> Fresh(std::vector<Song> songs) {
        std::erase_if(songs, [this](const Song& song) { return !known_.insert(Key(song)).second; });
        return songs;
    }

private:
    static std::u16string Key(const Song& song) {
        std::u16string key = song.name;
        key.append(1, u'\0').append(song.artist).append(1, u'\0').append(song.credits);
        return key.append(1, u'\0').append(song.lyric);
    }

    std::unordered_set<std::u16string> known_;
};

// A path as text, each of its names read on its own: a folder in UTF-8 may hold a file
// named in GB18030.
std::u16string PathAsText(const fs::path& path) {
    std::u16string text;
    for (const fs::path& name : path) {
        text.append(text.empty() ? u"" : u"/").append(DecodeFileName(name.native()));
    }
    return text;
}

}  // namespace

ImportList ImportFiles(const std::vector<fs::path>& given) {
    ImportList list;
    const NaturalOrder order;
    // Each name read once, then compared.
    const auto sorted = [&order](std::vector<fs::path>& files) {
        std::vector<std::pair<std::u16string, fs::path>> named;
        for (fs::path& file : files) {
            named.emplace_back(PathAsText(file), std::move(file));
        }
        std::sort(named.begin(), named.end(),
                  [&order](const auto& a, const auto& b) { return order(a.first, b.first); });
        for (std::size_t i = 0; i < files.size(); ++i) {
            files[i] = std::move(named[i].second);
        }
    };
    for (const fs::path& path : given) {
        if (!IsDirectory(path)) {
            list.files.push_back(path);
            continue;
        }
        FolderListing found = FilesBelow(path);
        for (const auto& [folder, error] : found.unreadable) {
            list.skipped.emplace_back(Problem::Unreadable, folder, error);
        }
        std::erase_if(found.files, [](const fs::path& file) { return !IsImportable(file); });
        sorted(found.files);
        list.files.insert(list.files.end(), found.files.begin(), found.files.end());
    }
    // A file named, and found again in a folder named, comes in once.
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen;
    std::erase_if(list.files, [&seen](const fs::path& file) {
        const auto identity = FileIdentity(file);
        return identity && !seen.insert(*identity).second;
    });

    return list;
}

ImportReport Import(Workspace& run, const ImportList& list, ImportProgress& progress) {
    ImportReport report{0, {}, list.skipped, false, {}};
    const std::vector<fs::path>& files = list.files;
    const Workspace::Batch oneChange(run);
    KnownSongs known(run.Songs());
    for (std::size_t i = 0; i < files.size() && !report.cancelled; ++i) {
        const auto going = [&] { return progress.Going(i, files.size()); };
        if (!going()) {
            report.cancelled = true;
            break;
        }
        if (run.Songs().SongCount() >= kMaxSongs) {
            report.skipped.emplace_back(Problem::BookFull, files[i]);
            continue;
        }
        // Whatever goes wrong with one file, the files after it still come in.
        try {
            auto [book, misread] = SongsOf(files[i], going);
            const std::vector<Song> fresh = known.Fresh(book.songs);
            const int added = run.AddSongs(run.Songs().SongCount() + 1, fresh);
            report.songs += added;
            if (misread && added > 0) {
                report.misread.push_back(files[i]);
            }
            if (fresh.empty()) {
                report.skipped.emplace_back(Problem::AlreadyInList, files[i]);
            } else if (static_cast<std::size_t>(added) < fresh.size()) {
                report.skipped.emplace_back(Problem::BookPartlyIn, files[i]);
            } else if (fresh.size() < book.songs.size()) {
                report.skipped.emplace_back(Problem::SomeInList, files[i],
                                            static_cast<int>(book.songs.size() - fresh.size()));
            }
            if (!report.firstBook && !book.title.empty()) {
                book.songs.clear();
                report.firstBook = std::move(book);
            }
        } catch (const Failure& failure) {
            report.cancelled = failure.problem() == Problem::Stopped;
            if (!report.cancelled) {
                report.skipped.push_back(About(failure, files[i]));
            }
        } catch (const std::bad_alloc&) {
            report.skipped.emplace_back(Problem::OutOfMemory, files[i]);
        } catch (const std::exception& error) {
            report.skipped.emplace_back(Problem::Unexpected, files[i], 0, error.what());
        }
    }
    return report;
}

}  // namespace velmora
