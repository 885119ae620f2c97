#include "platform/socket_cut.h"

#include <winsock2.h>

namespace velmora {

void CutConnection(Socket socket) {
    (void)::shutdown(static_cast<SOCKET>(socket), SD_BOTH);
}

}  // namespace velmora
