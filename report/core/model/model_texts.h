// Keys of the engine texts used by the object model.
#pragma once

namespace report::model_text {

inline constexpr const char* kUntitled = "model.untitled";         // "Sans_nom"
inline constexpr const char* kMissing = "data.missing";            // %s: data source name
inline constexpr const char* kNotADataset = "data.not_a_dataset";  // %s: component name

}  // namespace report::model_text
