#include "import/importer.h"

#include <algorithm>
#include <cctype>

#include "import/book_reader.h"
#include "import/lyric_file.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "text/code_page.h"
#include "text/limits.h"

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

// Names compared as people read them: runs of digits by their value.
bool NaturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit(static_cast<unsigned char>(a[i])) &&
            std::isdigit(static_cast<unsigned char>(b[j]))) {
            const std::size_t iEnd = a.find_first_not_of("0123456789", i);
            const std::size_t jEnd = b.find_first_not_of("0123456789", j);
            std::string_view x = std::string_view(a).substr(i, iEnd - i);
            std::string_view y = std::string_view(b).substr(j, jEnd - j);
            x.remove_prefix(std::min(x.find_first_not_of('0'), x.size()));
            y.remove_prefix(std::min(y.find_first_not_of('0'), y.size()));
            if (x.size() != y.size() || x != y) {
                return x.size() != y.size() ? x.size() < y.size() : x < y;
            }
            i = std::min(iEnd, a.size());
            j = std::min(jEnd, b.size());
        } else if (a[i] != b[j]) {
            return a[i] < b[j];
        } else {
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

std::string ReadFile(const fs::path& file, std::uint64_t largest) {
    FileContent content = ReadWholeFile(file, largest);
    switch (content.status) {
        case FileContent::Status::Read:
            break;
        case FileContent::Status::NotRegular:
            throw Failure(Problem::NotRegularFile, file);
        case FileContent::Status::TooLarge:
            throw Failure(Problem::TooLarge, file);
        default:
            throw Failure(Problem::Unreadable, file, content.error);
    }
    if (content.bytes.empty()) {
        throw Failure(Problem::Empty, file);
    }
    return std::move(content.bytes);
}

// The songs a file gives, every one with a name and a lyric, and the book they came from;
// a Failure says why it gives none.
Book SongsOf(const fs::path& file) {
    if (!IsImportable(file)) {
        throw Failure(Problem::NotImportable, file);
    }
    const bool book = Extension(file) == ".epub";
    const std::string bytes = ReadFile(file, book ? kLargestBook : kLargestLyricFile);
    if (book) {
        Book read = ReadBook(bytes);
        if (std::any_of(read.songs.begin(), read.songs.end(),
                        [](const Song& song) { return song.name.empty() || song.lyric.empty(); })) {
            throw Failure(Problem::SongWithoutText, file);
        }
        return read;
    }
    const std::optional<std::u16string> text = DecodeLyricFile(bytes);
    if (!text) {
        throw Failure(Problem::NotText, file);
    }
    const std::u16string name = codepage::FromUtf8(file.stem().string());
    const Song song =
        Extension(file) == ".lrc" ? SongFromLrc(*text, name) : SongFromText(*text, name);
    if (song.lyric.empty()) {
        throw Failure(Problem::NoLyric, file);
    }
    return {{}, {}, {}, {song}};
}

// The reader's failures concern the file, not an entry of it.
Failure About(const Failure& failure, const fs::path& file) {
    return Failure(failure.problem(), file, failure.number(), failure.detail());
}

}  // namespace

ImportList ImportFiles(const std::vector<fs::path>& given) {
    ImportList list;
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
        std::sort(found.files.begin(), found.files.end(), [](const fs::path& a, const fs::path& b) {
            return NaturalLess(a.string(), b.string());
        });
        list.files.insert(list.files.end(), found.files.begin(), found.files.end());
    }
    return list;
}

ImportReport Import(Workspace& run, const ImportList& list, ImportProgress& progress) {
    ImportReport report{0, {}, list.skipped, false};
    const std::vector<fs::path>& files = list.files;
    const Workspace::Batch oneChange(run);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!progress.Going(i, files.size())) {
            report.cancelled = true;
            break;
        }
        if (run.Songs().SongCount() >= kMaxSongs) {
            report.skipped.emplace_back(Problem::BookFull, files[i]);
            continue;
        }
        Book book;
        try {
            book = SongsOf(files[i]);
        } catch (const Failure& failure) {
            report.skipped.push_back(About(failure, files[i]));
            continue;
        }
        const int added = run.AddSongs(run.Songs().SongCount() + 1, book.songs);
        report.songs += added;
        if (static_cast<std::size_t>(added) < book.songs.size()) {
            report.skipped.emplace_back(Problem::BookPartlyIn, files[i]);
        }
        if (!report.firstBook && !book.title.empty()) {
            book.songs.clear();
            report.firstBook = std::move(book);
        }
    }
    return report;
}

}  // namespace velmora
