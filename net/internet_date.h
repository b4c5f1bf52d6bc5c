// Dates of HTTP headers ("Sun, 06 Nov 1994 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 +0100").
#pragma once

#include <string_view>

namespace net {

// The date as days since 30 December 1899 (time of day as the fraction), moved from UTC to
// the local time zone. An optional day name is skipped; two-digit years below 80 are 20xx,
// 80 to 99 are 19xx; the time is optional; a zone +hhmm or -hhmm is applied, a zone name is
// taken as UTC. A text that does not read as a date gives 0: such a date never fails a
// request. Raises TimeZoneInfoError when the local zone cannot be read.
double InternetDateToLocal(std::string_view text);

}  // namespace net
