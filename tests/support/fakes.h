#pragma once
// Fakes of the clock and the window's observers, a run to test in, builds driven to the end.

#include <chrono>
#include <cstdint>
#include <functional>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "epub/book_maker.h"
#include "platform/clock.h"
#include "support/files.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "workspace/collection_observer.h"

namespace velmora {
inline void PrintTo(const Song& song, std::ostream* out) {
    *out << codepage::ToUtf8(song.name + u" | " + song.artist + u" | " + song.credits + u" | " +
                             song.lyric);
}
}  // namespace velmora

namespace velmora::testing {

// A clock in Beijing's time: local time is UTC + 8 hours.
class FixedClock : public Clock {
public:
    explicit FixedClock(std::int64_t now) : seconds(now) {}
    std::int64_t LocalSeconds() const override { return seconds; }
    std::int64_t UtcSeconds() const override { return seconds - 8 * 3600; }
    std::int64_t seconds;
};

// 2024-01-01 00:00:00 local time.
inline constexpr std::int64_t kNewYear2024 = 1704067200;

// The song list as the window's model keeps it from the run's reports: it must match the run.
class MirrorList : public CollectionObserver {
public:
    explicit MirrorList(const SongCollection& songs) : songs_(songs) {}
    void SongsInserted(int first, int count) override {
        for (int n = first; n < first + count; ++n) {
            rows.insert(rows.begin() + n - 1, songs_.At(n).name);
        }
    }
    void SongsRemoved(int first, int count) override {
        rows.erase(rows.begin() + first - 1, rows.begin() + first - 1 + count);
    }
    void SongMoved(int from, int to) override {
        const std::u16string moved = rows[from - 1];
        rows.erase(rows.begin() + from - 1);
        rows.insert(rows.begin() + to - 1, moved);
    }
    void SongChanged(int n) override { rows[n - 1] = songs_.At(n).name; }

    std::vector<std::u16string> rows;

private:
    const SongCollection& songs_;
};

class PhaseRecorder : public BuildObserver {
public:
    void PhaseChanged(BuildPhase phase) override { phases.push_back(phase); }
    std::vector<BuildPhase> phases;
};

// The songs in their order.
inline std::vector<Song> SongsOf(const SongCollection& songs) {
    std::vector<Song> all;
    for (int n = 1; n <= songs.SongCount(); ++n) {
        all.push_back(songs.At(n));
    }
    return all;
}

// A failure as the tests compare it: its problem, path, number and detail.
inline std::string Described(Problem problem, const fs::path& path = {}, int number = 0,
                             const std::string& detail = {}) {
    return Failure(problem, path, number, detail).what();
}

// The Failure `action` raised, described ("std::bad_alloc" for running out of memory), or ""
// when it raised none.
inline std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
        return "";
    } catch (const Failure& failure) {
        return failure.what();
    } catch (const std::bad_alloc&) {
        return "std::bad_alloc";
    }
}

struct RunFolder {
    ProgramFolder app;
    FixedClock clock{kNewYear2024};
};

// A program folder and a run in it, started on 2024-01-01, its list mirrored.
class RunTest : public ::testing::Test, public RunFolder {
public:
    RunTest() { run.SetObserver(&list); }

    Workspace run{app.path(), clock};
    MirrorList list{run.Songs()};
};

// A run started on 2024-01-01 in a program folder of its own, ready for songs.
struct ReadyRun : RunFolder, Workspace {
    ReadyRun() : Workspace(app.path(), clock) { ReadyToMake(); }
};

// A tick of the window's timer, between two polls of a build.
inline void Tick() {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

// Builds to the end as the window's timer does: the failure described, or "".
inline std::string BuildToEnd(BookMaker& maker, BuildRequest request = {},
                              std::optional<BuildResult>* result = nullptr) {
    return FailureOf([&] {
        std::optional<BuildResult> ignored;
        std::optional<BuildResult>& done = result != nullptr ? *result : ignored;
        maker.MakeBook(std::move(request));
        while (!(done = maker.Poll())) {
            Tick();
        }
    });
}

}  // namespace velmora::testing
