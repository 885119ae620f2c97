#pragma once
// The tests' side of the system-call seam (platform/system_calls.h): every call is the real
// one unless a fault injected here strikes it.

#include <cerrno>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace velmora::testing {

enum class Call { Open, Read, Write, Fsync, Close, Mkdir, Rename, Spawn, Wait, WatchEnd };

struct Fault {
    Call call;
    // Strikes calls about a path holding this text: the file's path for calls on a
    // descriptor, either path of a rename, the program's path for Spawn, Wait and WatchEnd.
    std::string path;
    // What the call fails with. 0 for Read and Write: they go through, one byte a call;
    // 0 for Spawn: the program starts but cannot end by itself, as its "@" list of files
    // ends with a pipe no one writes to (7za waits for it until it is killed).
    int error = EIO;
    // Read, Write: the bytes that get through first, the last call cut short.
    std::size_t after = 0;
    // Wait: the child is killed with this signal, then waited for as usual.
    int signal = 0;
    // Throws std::bad_alloc instead of failing.
    bool throws = false;
    std::size_t passed = 0;
};

// A call that throws std::bad_alloc, as when memory runs out.
inline Fault Throws(Call call, std::string path) {
    return {call, std::move(path), 0, 0, 0, true};
}

// The faults strike while this lives; `watch`, when set, sees every call first, with the
// path it concerns.
struct InjectedFaults {
    explicit InjectedFaults(std::vector<Fault> faults,
                            std::function<void(Call, const std::string&)> watch = {});
    ~InjectedFaults();
    InjectedFaults(const InjectedFaults&) = delete;
    InjectedFaults& operator=(const InjectedFaults&) = delete;

    std::vector<Fault> faults;
    std::function<void(Call, const std::string&)> watch;
    // How many calls the faults struck.
    int hits = 0;
    // Each child waited for meanwhile: its program and its wait status.
    std::vector<std::pair<std::string, int>> reaped;
};

}  // namespace velmora::testing
