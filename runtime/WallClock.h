#pragma once

#include "runtime/Numbers.h"

#include <ctime>

namespace tarnelby {

// Where the program reads the time of day, for the random generator's seed.
// Tests hand in a clock of their own.
class WallClock {
public:
    virtual ~WallClock() = default;

    // Seconds since local midnight, as a Single: 13:00:00.25 -> 46800.25.
    virtual Single secondsSinceMidnight() = 0;
};

// The machine's local wall clock.
class SystemWallClock final : public WallClock {
public:
    Single secondsSinceMidnight() override;

private:
    // The local time of day is looked up once a second, not on every call.
    std::time_t cachedSecond_ = -1;
    long cachedSecondOfDay_ = 0;
};

} // namespace tarnelby
