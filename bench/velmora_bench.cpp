// Drives the core as the window does: a fresh program folder, one run, N songs added, the
// book built and the archiver waited for, then the first song edited, moved to the end and
// removed. With --import, the N songs come in as .lrc files instead, and again as MP3 files
// with the lyric in their tags. Prints one JSON object of timings.

#include <poll.h>
#include <sys/resource.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>
#include <taglib/unsynchronizedlyricsframe.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "epub/archiver.h"
#include "epub/book_maker.h"
#include "import/importer.h"
#include "program_folder.h"
#include "song_file.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "workspace/earlier_runs.h"
#include "workspace/workspace.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using velmora::songs::Song;

class NullView : public velmora::BuildObserver {
public:
    void PhaseChanged(velmora::BuildPhase) override {}
};

// A change the benchmark asks for is never refused.
void Made(velmora::Refusal refusal) {
    if (refusal != velmora::Refusal::None) {
        throw std::runtime_error("a change was refused");
    }
}

// As the window waits: asleep until the archiver's end is readable. A look every so often
// would take time from 7za on a small machine.
void WaitForBook(velmora::BookMaker& maker) {
    while (!maker.Poll()) {
        pollfd end{maker.ArchiverEnd(), POLLIN, 0};
        ::poll(&end, 1, 50);
    }
}

void BuildToEnd(velmora::BookMaker& maker) {
    maker.MakeBook({});
    WaitForBook(maker);
}

struct Options {
    int songs = 1000;
    int lines = 30;
    fs::path file;
    fs::path markdown;
    fs::path templates = VELMORA_TEMPLATE_DIR;
    bool baseline = false;
    bool import = false;
};

Options Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&] { return i + 1 < argc ? std::string(argv[++i]) : std::string(); };
        if (arg == "--songs") {
            options.songs = std::stoi(value());
        } else if (arg == "--lines") {
            options.lines = std::stoi(value());
        } else if (arg == "--file") {
            options.file = value();
        } else if (arg == "--markdown") {
            options.markdown = value();
        } else if (arg == "--template") {
            options.templates = value();
        } else if (arg == "--baseline") {
            options.baseline = true;
        } else if (arg == "--import") {
            options.import = true;
        } else {
            throw std::runtime_error(
                "usage: velmora_bench [--songs N] [--lines L] [--file songs.json] "
                "[--markdown out.md] [--template DIR] [--baseline] [--import]");
        }
    }
    return options;
}

// The songs as a Markdown book for pandoc: one chapter per song, every lyric line a hard
// line break.
std::string MarkdownBook(const std::vector<Song>& songs) {
    std::string book = "---\ntitle: 我的歌词本\nlang: zh-CN\n---\n\n";
    for (const Song& song : songs) {
        book += "# " + velmora::codepage::ToUtf8(song.name) + "\n\n";
        std::u16string lyric = song.lyric;
        std::string line;
        for (const char c : velmora::codepage::ToUtf8(lyric)) {
            if (c == '\r') {
                continue;
            }
            if (c == '\n') {
                book += line + "\\\n";
                line.clear();
            } else {
                line.push_back(c);
            }
        }
        book += line + "\n\n";
    }
    return book;
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

struct Floor {
    double writesMs = 0;
    double archiverMs = 0;
};

// Writing each final file once, then 7za storing the tree: what the build cannot beat.
Floor MeasureFloor(const fs::path& tree, const fs::path& scratch, const fs::path& archiver) {
    std::vector<std::pair<fs::path, std::string>> files;
    for (const auto& entry : fs::recursive_directory_iterator(tree)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files.emplace_back(fs::relative(entry.path(), tree),
                               std::string(std::istreambuf_iterator<char>(in), {}));
        }
    }
    const auto start = Clock::now();
    for (const auto& [relative, bytes] : files) {
        fs::create_directories((scratch / "tree" / relative).parent_path());
        std::ofstream(scratch / "tree" / relative, std::ios::binary) << bytes;
    }
    const auto written = Clock::now();
    velmora::ChildProcess zip(archiver, {"a", "-tzip", "-mx0", (scratch / "book.zip").string(),
                                         (scratch / "tree" / "*").string()});
    if (zip.Wait().code != 0) {
        throw std::runtime_error("7za failed on the baseline tree");
    }
    return {Ms(written - start), Ms(Clock::now() - written)};
}

// A song as an .lrc file a player saved: a title tag, a time tag a line; every other file
// in GB18030, the rest in UTF-8.
std::string LrcFile(const Song& song, bool gb18030) {
    std::u16string text = u"[ti:";
    text.append(song.name).append(u"]\r\n[ar:Velmora]\r\n");
    std::size_t start = 0;
    for (int line = 0; start <= song.lyric.size(); ++line) {
        const std::size_t end = std::min(song.lyric.find(u"\r\n", start), song.lyric.size());
        const std::string stamp =
            std::to_string(line / 60 + 10) + ":" + std::to_string(line % 60 + 10) + ".00";
        text.append(u"[").append(stamp.begin(), stamp.end()).append(u"]");
        text.append(song.lyric, start, end - start).append(u"\r\n");
        start = end + 2;
    }
    return gb18030 ? velmora::codepage::Encode(text, velmora::codepage::kGb18030).value()
                   : velmora::codepage::ToUtf8(text);
}

// A song as an MP3 a tagger wrote: an ID3v2.4 title, artist and lyric (every other file in
// UTF-16, the rest in UTF-8) before 4 MB of audio, a hole in the file (none of it stored).
void WriteMp3(const fs::path& file, const Song& song, bool utf16) {
    std::ofstream(file, std::ios::binary) << "\xFF\xFB\x90\xC4" << std::string(413, '\0');
    TagLib::MPEG::File mp3(file.c_str());
    const auto encoding = utf16 ? TagLib::String::UTF16 : TagLib::String::UTF8;
    const auto text = [](std::u16string_view words) {
        return TagLib::String(velmora::codepage::ToUtf8(words), TagLib::String::UTF8);
    };
    for (const auto& [id, value] :
         {std::pair("TIT2", song.name), std::pair("TPE1", std::u16string(u"Velmora"))}) {
        auto* frame = new TagLib::ID3v2::TextIdentificationFrame(id, encoding);
        frame->setText(text(value));
        mp3.ID3v2Tag(true)->addFrame(frame);
    }
    auto* lyric = new TagLib::ID3v2::UnsynchronizedLyricsFrame(encoding);
    lyric->setText(text(song.lyric));
    mp3.ID3v2Tag(true)->addFrame(lyric);
    if (!mp3.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers, TagLib::ID3v2::v4)) {
        throw std::runtime_error("TagLib could not tag " + file.string());
    }
    fs::resize_file(file, 4 << 20);
}

struct NeverCancelled : velmora::ImportProgress {
    bool Going(std::size_t, std::size_t) override { return true; }
};

// Imports the songs as .lrc files and builds the book, against reading each file and adding
// its song as typed.
int RunImport(const Options& options, const std::vector<Song>& songs) {
    const fs::path root = TemporaryRoot();
    const fs::path lyrics = root / "lyrics";
    fs::create_directory(lyrics);
    std::vector<fs::path> files;
    for (std::size_t i = 0; i < songs.size(); ++i) {
        files.push_back(lyrics / (std::to_string(i + 1) + ".lrc"));
        std::ofstream(files.back(), std::ios::binary) << LrcFile(songs[i], i % 2 == 0);
    }
    const velmora::SystemClock clock;
    NullView view;
    velmora::Workspace typed(ProgramFolder(root, "typed", options.templates), clock);
    typed.ReadyToMake();
    const auto readStart = Clock::now();
    for (std::size_t i = 0; i < songs.size(); ++i) {
        std::ifstream in(files[i], std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        Made(typed.AddLyric(songs[i].name, songs[i].lyric));
    }
    const auto readEnd = Clock::now();
    velmora::BookMaker typedMaker(typed, clock, view);
    BuildToEnd(typedMaker);
    const auto typedEnd = Clock::now();
    velmora::Workspace run(ProgramFolder(root, "imported", options.templates), clock);
    run.ReadyToMake();
    velmora::BookMaker maker(run, clock, view);
    NeverCancelled progress;
    const auto start = Clock::now();
    const velmora::ImportReport report =
        velmora::Import(run, velmora::ImportFiles({lyrics}), progress);
    const auto imported = Clock::now();
    BuildToEnd(maker);
    const auto end = Clock::now();
    // The book just made, brought back into a fresh run: continuing a book.
    velmora::Workspace again(ProgramFolder(root, "again", options.templates), clock);
    again.ReadyToMake();
    const auto reimportStart = Clock::now();
    const velmora::ImportReport back =
        velmora::Import(again, velmora::ImportFiles({maker.BookPath()}), progress);
    const auto reimported = Clock::now();
    // The same songs as MP3 files, into a fresh run.
    const fs::path audio = root / "audio";
    fs::create_directory(audio);
    for (std::size_t i = 0; i < songs.size(); ++i) {
        WriteMp3(audio / (std::to_string(i + 1) + ".mp3"), songs[i], i % 2 == 0);
    }
    velmora::Workspace tagged(ProgramFolder(root, "tagged", options.templates), clock);
    tagged.ReadyToMake();
    const auto mp3Start = Clock::now();
    const velmora::ImportReport mp3s =
        velmora::Import(tagged, velmora::ImportFiles({audio}), progress);
    const auto mp3End = Clock::now();
    std::printf(
        "{\"files\": %zu, \"songs\": %d, \"skipped\": %zu, \"read_add_ms\": %.1f, "
        "\"read_add_build_ms\": %.1f, \"import_ms\": %.1f, \"import_build_ms\": %.1f, "
        "\"book_songs\": %d, \"book_reimport_ms\": %.1f, \"mp3_songs\": %d, "
        "\"mp3_skipped\": %zu, \"mp3_import_ms\": %.1f}\n",
        files.size(), report.songs, report.skipped.size(), Ms(readEnd - readStart),
        Ms(typedEnd - readStart), Ms(imported - start), Ms(end - start), back.songs,
        Ms(reimported - reimportStart), mp3s.songs, mp3s.skipped.size(), Ms(mp3End - mp3Start));
    fs::remove_all(root);
    return 0;
}

int Run(const Options& options) {
    const std::vector<Song> songs =
        options.file.empty() ? velmora::songs::GenerateSongs(options.songs, options.lines)
                             : velmora::songs::ReadSongFile(options.file);
    if (!options.markdown.empty()) {
        std::ofstream(options.markdown, std::ios::binary) << MarkdownBook(songs);
        return 0;
    }
    if (options.import) {
        return RunImport(options, songs);
    }
    const fs::path root = TemporaryRoot();
    const fs::path app = ProgramFolder(root, "app", options.templates);
    const fs::path archiver = velmora::FindArchiver(app / "7za");

    const velmora::SystemClock clock;
    NullView view;
    auto run = std::make_unique<velmora::Workspace>(app, clock);
    velmora::BookMaker maker(*run, clock, view);

    const auto start = Clock::now();
    run->ReadyToMake();
    std::vector<double> addUs;
    addUs.reserve(songs.size());
    for (const Song& song : songs) {
        const auto before = Clock::now();
        Made(run->AddLyric(song.name, song.lyric));
        addUs.push_back(Ms(Clock::now() - before) * 1000.0);
    }
    const auto buildStart = Clock::now();
    maker.MakeBook({});
    const auto archiverStart = Clock::now();
    WaitForBook(maker);
    const auto end = Clock::now();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const Floor floor = options.baseline
                            ? MeasureFloor(run->WorkDir() / "epub", root / "baseline", archiver)
                            : Floor{};
    // Changes to the first song, the most the tables and the list shift: an edit, a move to
    // the end, a removal.
    const auto timed = [](const auto& change) {
        const auto before = Clock::now();
        change();
        return Ms(Clock::now() - before);
    };
    const std::size_t last = songs.size();
    const bool any = last > 0;
    const double editMs = any ? timed([&] {
        run->EditLyric(1, {songs[0].name + u"改", songs[0].lyric});
    })
                              : 0;
    const double moveMs = any ? timed([&] { run->MoveLyric(1, static_cast<int>(last)); }) : 0;
    const double removeMs = any ? timed([&] { run->RemoveLyric(1); }) : 0;
    // The run ends with changes after its book: the next start finds them and brings them
    // back, as "恢复" does.
    const std::size_t bookBytes = fs::file_size(maker.BookPath());
    run.reset();
    velmora::Workspace later(app, clock);
    const double restoreMs = timed([&] {
        later.ReadyToMake();
        if (const auto unbuilt = velmora::FindUnbuiltRun(later.Layout())) {
            later.AddSongs(1, unbuilt->songs);
        }
    });
    std::printf(
        "{\"songs\": %zu, \"add_us_median\": %.1f, \"add_us_p99\": %.1f, \"adds_ms\": %.1f, "
        "\"build_ms\": %.1f, \"archiver_ms\": %.1f, \"total_ms\": %.1f, \"peak_rss_kib\": %ld, "
        "\"book_bytes\": %ju, \"baseline_ms\": %.1f, \"floor_writes_ms\": %.1f, "
        "\"floor_archiver_ms\": %.1f, \"edit_ms\": %.2f, \"move_ms\": %.2f, "
        "\"remove_ms\": %.2f, \"restored\": %d, \"restore_ms\": %.1f}\n",
        songs.size(), Percentile(addUs, 0.5), Percentile(addUs, 0.99), Ms(buildStart - start),
        Ms(archiverStart - buildStart), Ms(end - archiverStart), Ms(end - start), usage.ru_maxrss,
        static_cast<std::uintmax_t>(bookBytes), floor.writesMs + floor.archiverMs, floor.writesMs,
        floor.archiverMs, editMs, moveMs, removeMs, later.Songs().SongCount(), restoreMs);
    fs::remove_all(root);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(Parse(argc, argv));
    } catch (const std::exception& error) {
        std::cerr << "velmora_bench: " << error.what() << "\n";
        return 1;
    }
}
