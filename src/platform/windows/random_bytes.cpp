#include "platform/random_bytes.h"

#include <windows.h>

#include <bcrypt.h>

#include <cerrno>

namespace velmora {

int RandomBytes(std::span<std::uint8_t> bytes) {
    return BCRYPT_SUCCESS(::BCryptGenRandom(nullptr, bytes.data(), static_cast<ULONG>(bytes.size()),
                                            BCRYPT_USE_SYSTEM_PREFERRED_RNG))
               ? 0
               : EIO;
}

}  // namespace velmora
