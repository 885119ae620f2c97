#pragma once
// Ending a connection that another thread serves: its socket is shut down, not closed, so
// the server sees its end at its next read and closes it itself; no descriptor is freed
// under its feet.

namespace velmora {

void CutConnection(int socket);

}  // namespace velmora
