// The songbook of N generated songs by three artists, 30 lines each: the book built as the
// window builds it (kept with --epub, for another converter to read), then laid out and
// written as an A5 PDF (kept with --pdf). Prints one JSON object of timings.

#include <sys/resource.h>

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "epub/book_maker.h"
#include "print/chinese_font.h"
#include "print/songbook_layout.h"
#include "print/songbook_painter.h"
#include "program_folder.h"
#include "song_file.h"
#include "text/template_copy.h"
#include "workspace/workspace.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

class NullView : public velmora::BuildObserver {
public:
    void PhaseChanged(velmora::BuildPhase) override {}
};

struct Options {
    int songs = 1000;
    fs::path epub;
    fs::path pdf;
};

Options Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--songs") {
            options.songs = std::stoi(argv[i + 1]);
        } else if (arg == "--epub") {
            options.epub = argv[i + 1];
        } else if (arg == "--pdf") {
            options.pdf = argv[i + 1];
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication qt(argc, argv);
    const Options options = Parse(argc, argv);
    const std::optional<QString> family = velmora::ChineseFontFamily(velmora::Script::Simplified);
    if (!family) {
        std::fprintf(stderr, "no font with Chinese: install fonts-wqy-microhei\n");
        return 1;
    }
    const fs::path root = TemporaryRoot();
    const velmora::SystemClock clock;
    velmora::Workspace run(ProgramFolder(root, "app", VELMORA_TEMPLATE_DIR), clock);
    run.ReadyToMake();
    const std::u16string artists[] = {u"周杰伦", u"邓丽君", u"Coldplay"};
    std::vector<velmora::Song> songs;
    for (const auto& song : velmora::songs::GenerateSongs(options.songs, 30)) {
        songs.push_back({song.name, song.lyric, artists[songs.size() % 3]});
    }
    run.AddSongs(1, songs);
    NullView view;
    velmora::BookMaker maker(run, clock, view);
    maker.MakeBook({});
    while (!maker.Poll()) {
    }
    if (!options.epub.empty()) {
        fs::copy_file(maker.BookPath(), options.epub, fs::copy_options::overwrite_existing);
    }
    const velmora::BookInfo title;
    const velmora::Songbook songbook{title, run.Songs(),
                                     velmora::TemplateBytes(run.Layout().Template("cover.jpeg")),
                                     clock.LocalSeconds()};
    const auto start = Clock::now();
    const velmora::PrintedBook book = velmora::LayOutSongbook(songbook, {}, *family);
    const auto laidOut = Clock::now();
    const QByteArray pdf = velmora::SongbookPdf(book, false, {"我的歌词本", "Velmora", "Velmora"});
    const auto end = Clock::now();
    if (!options.pdf.empty()) {
        std::ofstream(options.pdf, std::ios::binary).write(pdf.constData(), pdf.size());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "{\"songs\": %d, \"pages\": %zu, \"layout_ms\": %.1f, \"pdf_ms\": %.1f, "
        "\"total_ms\": %.1f, \"pdf_bytes\": %lld, \"peak_rss_kib\": %ld}\n",
        run.Songs().SongCount(), book.pages.size(), Ms(laidOut - start), Ms(end - laidOut),
        Ms(end - start), static_cast<long long>(pdf.size()), usage.ru_maxrss);
    fs::remove_all(root);
    return 0;
}
