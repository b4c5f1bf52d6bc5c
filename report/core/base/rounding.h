// Rounding rules used wherever a floating-point value becomes a coordinate or an integer.
#pragma once

#include <cmath>
#include <cstdint>

namespace report {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Values beyond the 64-bit range saturate; NaN gives 0.
inline int64_t RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 9.2233720368547748e18) return INT64_MAX;
    if (value <= -9.2233720368547758e18) return INT64_MIN;
    return static_cast<int64_t>(std::nearbyint(value));  // the default FP mode rounds to even
}

// The same, for coordinates held in 32-bit integers (saturating).
inline int32_t RoundToInt(double value) {
    const int64_t r = RoundHalfEven(value);
    if (r > INT32_MAX) return INT32_MAX;
    if (r < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(r);
}

// Truncation toward zero (saturating; NaN gives 0).
inline int64_t Truncate(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 9.2233720368547748e18) return INT64_MAX;
    if (value <= -9.2233720368547758e18) return INT64_MIN;
    return static_cast<int64_t>(value);
}

// Half of an integer, truncated toward zero (7 -> 3, -7 -> -3).
constexpr int HalfOf(int value) {
    return value / 2;
}

}  // namespace report
