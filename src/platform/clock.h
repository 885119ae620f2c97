#pragma once
// The run's clock, injectable so that stamps in tests are fixed.

#include <cstdint>

namespace velmora {

class Clock {
public:
    virtual ~Clock() = default;
    // Whole seconds from 1970-01-01 00:00:00 to now, both read as local wall-clock time
    // (no time-zone conversion).
    virtual std::int64_t LocalSeconds() const = 0;
    // The same from 1970-01-01 00:00:00 UTC: the moment itself.
    virtual std::int64_t UtcSeconds() const = 0;
};

class SystemClock : public Clock {
public:
    std::int64_t LocalSeconds() const override;
    std::int64_t UtcSeconds() const override;
};

}  // namespace velmora
