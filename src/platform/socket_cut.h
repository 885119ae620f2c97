#pragma once
// Ending a connection that another thread serves: its socket is shut down, not closed, so
// the server sees its end at its next read and closes it itself; no descriptor is freed
// under its feet.

namespace velmora {

// A socket as the system hands it out: a descriptor on Linux, a SOCKET handle on Windows.
#ifdef _WIN32
using Socket = unsigned long long;
#else
using Socket = int;
#endif

void CutConnection(Socket socket);

}  // namespace velmora
