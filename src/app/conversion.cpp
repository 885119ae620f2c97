#include "app/conversion.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <iterator>

#include "text/failure.h"

namespace {

// How often the progress is told while the songs are converted.
constexpr auto kLookEvery = std::chrono::milliseconds(10);

struct Conversion {
    std::vector<std::pair<int, velmora::Song>> edits;
    std::exception_ptr error;
};

// Songs `first` to `last` converted by a converter of their own: OpenCC's objects are not
// shared between threads.
Conversion ConvertRange(const velmora::SongCollection& songs, velmora::ScriptForm to, int first,
                        int last, std::atomic<std::size_t>& done, const std::atomic<bool>& stop) {
    Conversion conversion;
    try {
        const velmora::ScriptConversion convert(to);
        for (int n = first; n <= last && !stop; ++n, ++done) {
            const velmora::Song& song = songs.At(n);
            velmora::Song converted{convert(song.name), convert(song.lyric), convert(song.artist),
                                    convert(song.credits)};
            if (converted != song) {
                conversion.edits.emplace_back(n, std::move(converted));
            }
        }
    } catch (...) {
        conversion.error = std::current_exception();
    }
    return conversion;
}

}  // namespace

std::vector<std::pair<int, velmora::Song>> Converted(const velmora::SongCollection& songs,
                                                     velmora::ScriptForm to,
                                                     velmora::ImportProgress& progress) {
    const auto total = static_cast<std::size_t>(songs.SongCount());
    if (!progress.Going(0, total)) {
        throw velmora::Failure(velmora::Problem::Stopped);
    }
    std::atomic<std::size_t> done{0};
    std::atomic<bool> stop{false};
    // A share of the songs for each core.
    const int parts = std::max(1, std::min(QThread::idealThreadCount(), songs.SongCount()));
    std::vector<QFuture<Conversion>> work;
    for (int part = 0; part < parts; ++part) {
        const int first = 1 + songs.SongCount() * part / parts;
        const int last = songs.SongCount() * (part + 1) / parts;
        work.push_back(QtConcurrent::run(ConvertRange, std::cref(songs), to, first, last,
                                         std::ref(done), std::cref(stop)));
    }
    const auto finished = [&work] {
        return std::all_of(work.begin(), work.end(),
                           [](const QFuture<Conversion>& part) { return part.isFinished(); });
    };
    // Waited for in an event loop of its own, the progress told on a timer: the window is
    // painted meanwhile, and takes no input but the progress box's.
    QEventLoop waiting;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (!progress.Going(done, total)) {
            stop = true;
        }
        if (finished()) {
            waiting.quit();
        }
    });
    look.start(kLookEvery);
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
    std::vector<std::pair<int, velmora::Song>> edits;
    for (QFuture<Conversion>& part : work) {
        Conversion conversion = part.takeResult();
        if (conversion.error) {
            std::rethrow_exception(conversion.error);
        }
        std::move(conversion.edits.begin(), conversion.edits.end(), std::back_inserter(edits));
    }
    if (stop) {
        throw velmora::Failure(velmora::Problem::Stopped);
    }
    return edits;
}
