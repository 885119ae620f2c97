#pragma once
// Random bytes from the system's generator, for what must not be guessed.

#include <cstddef>
#include <cstdint>
#include <span>

namespace velmora {

// Fills `bytes` from getrandom(2): 0, or the errno when the system cannot.
int RandomBytes(std::span<std::uint8_t> bytes);

}  // namespace velmora
