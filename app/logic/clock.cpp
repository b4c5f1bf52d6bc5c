#include "app/logic/clock.h"

#include <chrono>

namespace app {

report::DateTime SystemClock::Today() const {
    return report::Today();
}

int SystemClock::UtcMillisecondsOfDay() const {
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
    constexpr long long kMillisecondsPerDay = 24LL * 60 * 60 * 1000;
    long long ofDay = sinceEpoch.count() % kMillisecondsPerDay;
    if (ofDay < 0) ofDay += kMillisecondsPerDay;
    return static_cast<int>(ofDay);
}

}  // namespace app
