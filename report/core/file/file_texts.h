// Keys of the engine texts used by the template file.
#pragma once

namespace report::file_text {

inline constexpr const char* kUnsupportedFormat =
    "template.unsupported";                                         // "Format ETF non supporté"
inline constexpr const char* kNotPlugged = "template.not_plugged";  // %s: class names + CR each

}  // namespace report::file_text
