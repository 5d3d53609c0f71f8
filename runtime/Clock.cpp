#include "runtime/Clock.h"

#include <chrono>

namespace tarnelby {

Single SystemClock::secondsSinceMidnight()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t second = system_clock::to_time_t(time_point_cast<seconds>(now));
    if (second != cachedSecond_) {
        std::tm local{};
        localtime_r(&second, &local);
        cachedSecond_ = second;
        cachedSecondOfDay_ = (local.tm_hour * 60L + local.tm_min) * 60L + local.tm_sec;
    }
    const auto fraction = duration<double>(now - system_clock::from_time_t(second)).count();
    return static_cast<Single>(static_cast<double>(cachedSecondOfDay_) + fraction);
}

} // namespace tarnelby
