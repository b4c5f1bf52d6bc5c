// Time limits of blocking waits.
#pragma once

#include <chrono>
#include <optional>

namespace net {

// How long one wait may last, in milliseconds; no value means no limit.
using TimeLimit = std::optional<std::chrono::milliseconds>;

inline constexpr TimeLimit kNoTimeLimit = std::nullopt;

}  // namespace net
