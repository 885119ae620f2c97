#pragma once
// The tests' side of the system-call seam (platform/system_calls.h): every call is the real
// one unless a fault injected here strikes it.

#include <signal.h>

#include <cerrno>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace velmora::testing {

// What a child ends with when a fault kills it: SIGKILL on Linux; on Windows, which has no
// signals, the exit code TerminateProcess gives it.
#ifdef _WIN32
inline constexpr int kKill = 9;
#else
inline constexpr int kKill = SIGKILL;
#endif

enum class Call { Open, Read, Write, Fsync, Close, Mkdir, Rename, Spawn, Wait, WatchEnd };

struct Fault {
    Call call;
    // Strikes calls about a path holding this text: the file's for calls on a descriptor,
    // either of a rename, the program's for Spawn, Wait and WatchEnd.
    std::string path;
    // What the call fails with. 0: Read and Write go through one byte a call; Spawn starts a
    // program that cannot end by itself (its "@" list ends with a pipe no one writes to).
    int error = EIO;
    std::size_t after = 0;  // Read, Write: the bytes that get through first, the last cut short
    int signal = 0;         // Wait: the child is killed with this, then waited for as usual
    bool throws = false;    // std::bad_alloc instead of failing
    std::size_t passed = 0;
};

// A call that throws std::bad_alloc, as when memory runs out.
inline Fault Throws(Call call, std::string path) {
    return {call, std::move(path), 0, 0, 0, true};
}

// The faults strike while this lives; `watch`, if set, sees every call first with its path.
struct InjectedFaults {
    explicit InjectedFaults(std::vector<Fault> injected,
                            std::function<void(Call, const std::string&)> watching = {})
        : faults(std::move(injected)), watch(std::move(watching)) {
        active = this;
    }
    ~InjectedFaults() { active = nullptr; }
    InjectedFaults(const InjectedFaults&) = delete;
    InjectedFaults& operator=(const InjectedFaults&) = delete;

    std::vector<Fault> faults;
    std::function<void(Call, const std::string&)> watch;
    int hits = 0;                                     // how many calls the faults struck
    std::vector<std::pair<std::string, int>> reaped;  // each child waited for: program, status
    static inline InjectedFaults* active = nullptr;   // the one in scope
};

}  // namespace velmora::testing
