#include "app/logic/random_generator.h"

namespace app {

uint32_t RandomGenerator::SeedFromTimeOfDay(int utcMillisecondsOfDay) {
    const int hours = utcMillisecondsOfDay / 3'600'000;
    const int minutes = utcMillisecondsOfDay / 60'000 % 60;
    const int seconds = utcMillisecondsOfDay / 1000 % 60;
    const int milliseconds = utcMillisecondsOfDay % 1000;
    return static_cast<uint32_t>(((hours * 60 + minutes) * 60 + seconds) * 1000 + milliseconds);
}

uint32_t RandomGenerator::Pick(uint32_t range) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(seed_) * range) >> 32);
}

}  // namespace app
