// The clock the program reads: today's date for the settings file, the UTC time of day for the
// random seed. Tests give fixed values.
#pragma once

#include "report/core/value/date_time.h"

namespace app {

class Clock {
  public:
    virtual ~Clock() = default;
    // Today's local date, without time (days since 30 December 1899).
    virtual report::DateTime Today() const = 0;
    // Milliseconds since midnight UTC, 0 to 86 399 999.
    virtual int UtcMillisecondsOfDay() const = 0;
};

class SystemClock final : public Clock {
  public:
    report::DateTime Today() const override;
    int UtcMillisecondsOfDay() const override;
};

}  // namespace app
