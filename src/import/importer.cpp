#include "import/importer.h"

#include <algorithm>
#include <unordered_set>

#include "import/audio_file.h"
#include "import/book_reader.h"
#include "import/lyric_file.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "text/limits.h"
#include "text/text_detection.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

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
    // The audio file beside a lyric file, when it could not be read: the lyric comes in
    // without its tags, and the audio file is named with its reason.
    std::optional<Failure> audio;
};

bool Misread(std::u16string_view text) {
    return text.find(u'\uFFFD') != std::u16string_view::npos;
}

// The song, when it has a lyric; else Failure(`none`) for the file.
FileSongs OneSong(Song song, bool misread, const fs::path& file, Problem none) {
    if (song.lyric.empty()) {
        throw Failure(none, file);
    }
    return {{{}, {}, {}, {std::move(song)}, {}}, misread, {}};
}

// A lyric file's song, with the name and artist its text gives (an .lrc's [ti:] and [ar:]),
// else none; `otherName` the name it will go by then.
FileSongs LyricFileSong(const fs::path& file, std::u16string_view otherName,
                        const std::function<bool()>& going) {
    const std::string bytes = ReadFile(file, kLargestLyricFile, going);
    const std::optional<std::u16string> text = DecodeTextFile(bytes);
    if (!text) {
        throw Failure(Problem::NotText, file);
    }
    Song song = Extension(file) == ".lrc" ? SongFromLrc(*text, u"", otherName)
                                          : SongFromText(*text, u"", otherName);
    return {{{}, {}, {}, {std::move(song)}, {}}, Misread(*text), {}};
}

// What `song` lacks of its name and artist, from `from`.
void FillIn(Song& song, const Song& from) {
    song.name = song.name.empty() ? from.name : song.name;
    song.artist = song.artist.empty() ? from.artist : song.artist;
}

std::u16string StemText(const fs::path& file) {
    return DecodeFileName(file.stem().string());
}

FileSongs AudioSong(const fs::path& file, const AudioTags& tags) {
    return OneSong(SongFromTags(tags, StemText(file)), Misread(tags.lyric), file,
                   Problem::AudioWithoutLyric);
}

FileSongs AudioSong(const fs::path& file) {
    return AudioSong(file, AudioFileTags(file, *AudioKindOf(file)));
}

// The readers' failures concern the file, not an entry of it; one that names a file (the
// audio file beside a lyric file) keeps it.
Failure About(const Failure& failure, const fs::path& file) {
    return Failure(failure.problem(), failure.path().empty() ? file : failure.path(),
                   failure.number(), failure.detail());
}

// The lyric file's lyric, named by it, else by the audio file's tags, else by the files' name.
// An empty one, or one of tags alone, leaves the song to the audio file.
FileSongs PairSong(const ImportSource& source, const std::function<bool()>& going) {
    AudioTags tags;
    std::optional<Failure> unread;
    try {
        tags = AudioFileTags(source.audio, *AudioKindOf(source.audio));
    } catch (const Failure& failure) {
        unread = About(failure, source.audio);
    }
    const Song named = SongFromFileName(StemText(source.file));
    FileSongs side;
    try {
        side = LyricFileSong(source.file, tags.name.empty() ? named.name : tags.name, going);
    } catch (const Failure& failure) {
        if (failure.problem() != Problem::Empty) {
            throw;
        }
    }
    if (side.book.songs.empty() || side.book.songs[0].lyric.empty()) {
        if (unread) {
            throw *unread;
        }
        return AudioSong(source.audio, tags);
    }
    Song& song = side.book.songs[0];
    FillIn(song, {tags.name, {}, tags.artist});
    FillIn(song, named);
    side.audio = std::move(unread);
    return side;
}

// The songs a source gives, every one with a name and a lyric, and the book they came from;
// a Failure says why it gives none.
FileSongs SongsOf(const ImportSource& source, const std::function<bool()>& going) {
    const fs::path& file = source.file;
    if (!IsImportable(file)) {
        throw Failure(Problem::NotImportable, file);
    }
    if (AudioKindOf(file)) {
        return AudioSong(file);
    }
    if (!source.audio.empty()) {
        return PairSong(source, going);
    }
    if (IsLyricFile(file)) {
        const Song named = SongFromFileName(StemText(file));
        auto [book, misread, audio] = LyricFileSong(file, named.name, going);
        FillIn(book.songs[0], named);
        return OneSong(std::move(book.songs[0]), misread, file, Problem::NoLyric);
    }
    return {ReadBookFile(file, going), false, {}};
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

// The run's own files could not be written: no file after this one can come in either.
struct Unwritable {
    Failure failure;
};

int AddTo(Workspace& run, const std::vector<Song>& songs) {
    try {
        return run.AddSongs(run.Songs().SongCount() + 1, songs);
    } catch (const Failure& failure) {
        throw Unwritable{failure};
    }
}

}  // namespace

Book ReadBookFile(const fs::path& file, const std::function<bool()>& going) {
    try {
        Book read = ReadBook(ReadFile(file, kLargestBook, going), going);
        if (std::any_of(read.songs.begin(), read.songs.end(),
                        [](const Song& song) { return song.name.empty() || song.lyric.empty(); })) {
            throw Failure(Problem::SongWithoutText, file);
        }
        return read;
    } catch (const Failure& failure) {
        throw About(failure, file);
    }
}

namespace {

// The songs of one source into the run, and what became of them into the report.
void Take(Workspace& run, const ImportSource& source, const std::function<bool()>& going,
          KnownSongs& known, ImportReport& report) {
    auto [book, misread, audio] = SongsOf(source, going);
    if (audio) {
        report.skipped.push_back(*std::move(audio));
    }
    const fs::path& file = source.file;
    const std::vector<Song> fresh = known.Fresh(book.songs);
    const int added = AddTo(run, fresh);
    report.songs += added;
    if (misread && added > 0) {
        report.misread.push_back(file);
    }
    if (fresh.empty()) {
        report.skipped.emplace_back(Problem::AlreadyInList, file);
    } else if (static_cast<std::size_t>(added) < fresh.size()) {
        report.skipped.emplace_back(Problem::BookPartlyIn, file);
    } else if (fresh.size() < book.songs.size()) {
        report.skipped.emplace_back(Problem::SomeInList, file,
                                    static_cast<int>(book.songs.size() - fresh.size()));
    }
    if (!report.firstBook && !book.title.empty()) {
        book.songs.clear();
        report.firstBook = std::move(book);
    }
}

}  // namespace

ImportReport Import(Workspace& run, const ImportList& list, ImportProgress& progress) {
    ImportReport report;
    report.skipped = list.skipped;
    const std::vector<ImportSource>& files = list.files;
    const Workspace::Batch oneChange(run);
    KnownSongs known(run.Songs());
    for (std::size_t i = 0; i < files.size() && !report.cancelled; ++i) {
        const auto going = [&] { return progress.Going(i, files.size()); };
        if (!going()) {
            report.cancelled = true;
            break;
        }
        const fs::path& file = files[i].file;
        if (run.Songs().SongCount() >= kMaxSongs) {
            report.skipped.emplace_back(Problem::BookFull, file);
            continue;
        }
        // Whatever goes wrong with one file, the files after it still come in.
        try {
            Take(run, files[i], going, known, report);
        } catch (const Unwritable& unwritable) {
            report.unwritable = unwritable.failure;
            for (std::size_t k = i; k < files.size(); ++k) {
                report.unwritten.push_back(files[k].file);
            }
            break;
        } catch (const Failure& failure) {
            report.cancelled = failure.problem() == Problem::Stopped;
            if (!report.cancelled) {
                report.skipped.push_back(About(failure, file));
            }
        } catch (const std::bad_alloc&) {
            report.skipped.emplace_back(Problem::OutOfMemory, file);
        } catch (const std::exception& error) {
            report.skipped.emplace_back(Problem::Unexpected, file, 0, error.what());
        }
    }
    return report;
}

}  // namespace velmora
