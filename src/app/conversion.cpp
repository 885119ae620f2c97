#include "app/conversion.h"

#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <chrono>
#include <exception>
#include <thread>

#include "text/failure.h"

namespace {

// How often the progress is told while the songs are converted.
constexpr auto kLookEvery = std::chrono::milliseconds(10);

struct Conversion {
    std::vector<std::pair<int, velmora::Song>> edits;
    std::exception_ptr error;
};

}  // namespace

std::vector<std::pair<int, velmora::Song>> Converted(const velmora::SongCollection& songs,
                                                     velmora::Script to,
                                                     velmora::ImportProgress& progress) {
    const auto total = static_cast<std::size_t>(songs.SongCount());
    if (!progress.Going(0, total)) {
        throw velmora::Failure(velmora::Problem::Stopped);
    }
    std::atomic<std::size_t> done{0};
    std::atomic<bool> stop{false};
    QFuture<Conversion> work = QtConcurrent::run([&songs, to, &done, &stop] {
        Conversion conversion;
        try {
            const velmora::ScriptConversion convert(to);
            for (int n = 1; n <= songs.SongCount() && !stop; ++n, ++done) {
                const velmora::Song& song = songs.At(n);
                velmora::Song converted{convert(song.name), convert(song.lyric),
                                        convert(song.artist), convert(song.credits)};
                if (converted != song) {
                    conversion.edits.emplace_back(n, std::move(converted));
                }
            }
        } catch (...) {
            conversion.error = std::current_exception();
        }
        return conversion;
    });
    while (!work.isFinished()) {
        if (!progress.Going(done, total)) {
            stop = true;
        }
        std::this_thread::sleep_for(kLookEvery);
    }
    Conversion conversion = work.takeResult();
    if (conversion.error) {
        std::rethrow_exception(conversion.error);
    }
    if (stop) {
        throw velmora::Failure(velmora::Problem::Stopped);
    }
    return std::move(conversion.edits);
}
