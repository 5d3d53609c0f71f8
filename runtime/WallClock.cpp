#include "runtime/WallClock.h"

namespace tarnelby {

namespace {

constexpr double kNanosecondsPerSecond = 1e9;

} // namespace

Single SystemWallClock::secondsSinceMidnight()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (now.tv_sec != cachedSecond_) {
        std::tm local{};
        localtime_r(&now.tv_sec, &local);
        cachedSecond_ = now.tv_sec;
        cachedSecondOfDay_ = (local.tm_hour * 60L + local.tm_min) * 60L + local.tm_sec;
    }
    const double fraction = static_cast<double>(now.tv_nsec) / kNanosecondsPerSecond;
    return static_cast<Single>(static_cast<double>(cachedSecondOfDay_) + fraction);
}

} // namespace tarnelby
