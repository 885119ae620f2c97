#include "platform/random_bytes.h"

#include <sys/random.h>

#include <cerrno>

namespace velmora {

int RandomBytes(std::span<std::uint8_t> bytes) {
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        filled += static_cast<std::size_t>(got);
    }
    return 0;
}

}  // namespace velmora
