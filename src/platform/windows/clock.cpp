#include "platform/clock.h"

#include <ctime>

namespace velmora {

std::int64_t SystemClock::LocalSeconds() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_s(&local, &now);
    // The local wall-clock parts read back as if they were UTC.
    return static_cast<std::int64_t>(::_mkgmtime(&local));
}

std::int64_t SystemClock::UtcSeconds() const {
    return static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace velmora
