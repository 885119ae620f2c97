#include "platform/clock.h"

#include <ctime>

namespace velmora {

std::int64_t SystemClock::LocalSeconds() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<std::int64_t>(now) + local.tm_gmtoff;
}

std::int64_t SystemClock::UtcSeconds() const {
    return static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace velmora
