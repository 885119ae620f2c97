#include "platform/termination_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

#include "platform/system_calls.h"

namespace velmora {
namespace {

// A signal handler can reach nothing but a global.
volatile sig_atomic_t writeEnd = -1;

extern "C" void OnTerminationSignal(int signal) {
    const int saved = errno;
    const auto number = static_cast<unsigned char>(signal);
    // Async-signal-safe; a full pipe already holds a request to end.
    [[maybe_unused]] const ssize_t ignored = ::write(writeEnd, &number, 1);
    errno = saved;
}

}  // namespace

int CatchTerminationSignals() {
    int ends[2];
    if (writeEnd >= 0 || ::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        return -1;
    }
    writeEnd = ends[1];
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        if (::sigaction(signal, &action, nullptr) != 0) {
            return -1;
        }
    }
    return ends[0];
}

int TakeTerminationSignal(int fd) {
    unsigned char number = 0;
    return ::read(fd, &number, 1) == 1 ? number : 0;
}

}  // namespace velmora
