// The random generator of the draw: one 32-bit linear congruential seed for the whole run.
#pragma once

#include <cstdint>

namespace app {

class RandomGenerator {
  public:
    explicit RandomGenerator(uint32_t seed = 0) : seed_(seed) {}

    // The start-up seed from a time of day in UTC:
    // ((hours × 60 + minutes) × 60 + seconds) × 1000 + milliseconds, i.e. the milliseconds of the
    // day.
    static uint32_t SeedFromTimeOfDay(int utcMillisecondsOfDay);

    uint32_t Seed() const { return seed_; }
    void SetSeed(uint32_t seed) { seed_ = seed; }

    // A number in [0, range): seed := seed × 134775813 + 1 (mod 2^32); result := (seed × range) div
    // 2^32. range must be at least 1.
    uint32_t Pick(uint32_t range);

  private:
    uint32_t seed_;
};

}  // namespace app
