#pragma once
// SIGTERM, SIGINT and SIGHUP turned into something an event loop can watch, so that the
// program ends as it does when its window is closed: the archiver stopped, temporary
// files removed.

namespace velmora {

// From now on each of the three signals writes its number (one byte) to the returned
// descriptor instead of ending the program. -1 when the signals cannot be caught.
int CatchTerminationSignals();
// Reads one signal's number from that descriptor, without waiting: 0 when none is there.
int TakeTerminationSignal(int fd);

}  // namespace velmora
