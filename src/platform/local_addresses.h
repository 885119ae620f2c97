#pragma once
// This computer's own IPv4 addresses, as the network interfaces that are up hold them.

#include <cstdint>
#include <vector>

namespace velmora {

// In host byte order, in the order the system lists its interfaces; loopback left out.
// Empty when there are none, or when they cannot be listed.
std::vector<std::uint32_t> LocalIpv4Addresses();

}  // namespace velmora
