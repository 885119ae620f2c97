#include "platform/socket_cut.h"

#include <sys/socket.h>

namespace velmora {

void CutConnection(Socket socket) {
    (void)::shutdown(socket, SHUT_RDWR);
}

}  // namespace velmora
