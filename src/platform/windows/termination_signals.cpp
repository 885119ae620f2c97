#include "platform/termination_signals.h"

namespace velmora {

// Windows ends a session through the window's messages, which Qt turns into the
// application's own end: there are no signals to catch.
int CatchTerminationSignals() {
    return -1;
}

int TakeTerminationSignal(int) {
    return 0;
}

}  // namespace velmora
