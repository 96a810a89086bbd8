#pragma once

#include <cstdint>

// The system tick count in milliseconds, from a monotonic clock. Timers and
// animations read time only through this, so tests can drive time by hand.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t tickCountMs() const = 0;
};

// The real monotonic clock.
Clock& systemClock();
