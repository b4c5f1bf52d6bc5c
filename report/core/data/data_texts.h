// Keys of the engine texts used by the data sources.
#pragma once

namespace report::data_text {

inline constexpr const char* kOpenFailed = "data.open_failed";  // %s: component name

}  // namespace report::data_text
