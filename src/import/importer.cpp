#include "import/importer.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "import/book_reader.h"
#include "import/lyric_file.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "text/xml_text.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Lyric files are small; a book of long songs is not.
constexpr std::uint64_t kLargestLyricFile = 1024 * 1024;
constexpr std::uint64_t kLargestBookFile = 256 * 1024 * 1024;
constexpr std::size_t kListedSkips = 20;

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

Failure Unreadable(int error) {
    return Failure(u"无法读取（" + codepage::FromUtf8(std::strerror(error)) + u"）");
}

std::string ReadFile(const fs::path& file, std::uint64_t largest) {
    File handle(file, File::Mode::OpenExisting);
    const auto size = handle.isOpen() ? handle.size() : std::nullopt;
    if (!size) {
        throw Unreadable(handle.error());
    }
    if (*size > largest) {
        throw Failure(u"文件太大");
    }
    std::optional<std::string> bytes = handle.readToEnd();
    if (!bytes) {
        throw Unreadable(handle.error());
    }
    if (bytes->empty()) {
        throw Failure(u"文件是空的");
    }
    return *std::move(bytes);
}

// The songs a file gives, every one with a name and a lyric; a Failure says why it gives
// none.
std::vector<Song> SongsOf(const fs::path& file) {
    if (!IsImportable(file)) {
        throw Failure(u"不是 .lrc、.txt 或 .epub 文件");
    }
    const bool book = Extension(file) == ".epub";
    const std::string bytes = ReadFile(file, book ? kLargestBookFile : kLargestLyricFile);
    if (book) {
        std::vector<Song> songs = ReadBook(bytes);
        if (std::any_of(songs.begin(), songs.end(),
                        [](const Song& song) { return song.name.empty() || song.lyric.empty(); })) {
            throw Failure(u"歌词本中有缺少歌名或歌词的歌曲页");
        }
        return songs;
    }
    const std::optional<std::u16string> text = DecodeLyricFile(bytes);
    if (!text) {
        throw Failure(u"不是文本文件");
    }
    const std::u16string name = codepage::FromUtf8(file.stem().string());
    const Song song =
        Extension(file) == ".lrc" ? SongFromLrc(*text, name) : SongFromText(*text, name);
    if (song.lyric.empty()) {
        throw Failure(u"没有歌词");
    }
    return {song};
}

}  // namespace

std::vector<fs::path> ImportFiles(const std::vector<fs::path>& given) {
    std::vector<fs::path> files;
    for (const fs::path& path : given) {
        if (!IsDirectory(path)) {
            files.push_back(path);
            continue;
        }
        std::vector<fs::path> found = FilesBelow(path);
        std::erase_if(found, [](const fs::path& file) { return !IsImportable(file); });
        std::sort(found.begin(), found.end(), [](const fs::path& a, const fs::path& b) {
            return NaturalLess(a.string(), b.string());
        });
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

ImportReport Import(Workspace& run, const std::vector<fs::path>& files, ImportProgress& progress) {
    ImportReport report;
    for (std::size_t i = 0; i < files.size() && progress.Going(i, files.size()); ++i) {
        if (run.Songs().SongCount() >= Workspace::kMaxSongs) {
            report.skipped.emplace_back(files[i], u"歌词本已满：最多只能收录 9999 首歌");
            continue;
        }
        std::vector<Song> songs;
        try {
            songs = SongsOf(files[i]);
        } catch (const Failure& failure) {
            report.skipped.emplace_back(files[i], failure.message());
            continue;
        }
        for (const Song& song : songs) {
            if (run.Songs().SongCount() >= Workspace::kMaxSongs) {
                report.skipped.emplace_back(files[i], u"歌词本已满，只收录了其中一部分歌曲");
                break;
            }
            run.AddSong(song.name, song.lyric);
            ++report.songs;
        }
    }
    return report;
}

std::u16string ImportSummary(const ImportReport& report) {
    if (report.skipped.empty()) {
        return {};
    }
    std::u16string summary = u"导入了 ";
    summary.append(Decimal(report.songs)).append(u" 首歌。以下文件没有导入：");
    for (std::size_t i = 0; i < std::min(report.skipped.size(), kListedSkips); ++i) {
        const auto& [file, reason] = report.skipped[i];
        summary.append(u"\n").append(PathText(file)).append(u"：").append(reason);
    }
    if (report.skipped.size() > kListedSkips) {
        const auto more = static_cast<long long>(report.skipped.size() - kListedSkips);
        summary.append(u"\n……另有 ").append(Decimal(more)).append(u" 个文件。");
    }
    return summary;
}

}  // namespace velmora
