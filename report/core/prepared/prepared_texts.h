// Keys of the engine texts used by prepared pages and their file.
#pragma once

namespace report::prepared_text {

inline constexpr const char* kBadFormat = "prepared.bad_format";
inline constexpr const char* kTruncated = "prepared.truncated";          // %d: page from 1
inline constexpr const char* kBadPageCount = "prepared.bad_page_count";  // %d: the count read
inline constexpr const char* kDamagedPage = "prepared.damaged_page";     // %d: page from 1
inline constexpr const char* kUnknownClass = "prepared.unknown_class";   // %d page, %s class
inline constexpr const char* kCompressed = "prepared.compressed";

}  // namespace report::prepared_text
