// Keys of the engine texts used by the object model, the printer layer, the template file and
// the data sources.
#pragma once

namespace report::model_text {

inline constexpr const char* kVirtualPrinter = "printer.virtual";  // "Imprimante virtuelle"
inline constexpr const char* kDefaultBin = "printer.default_bin";  // "Defaut"
inline constexpr const char* kUntitled = "model.untitled";         // "Sans_nom"
inline constexpr const char* kUnsupportedFormat =
    "template.unsupported";                                         // "Format ETF non supporté"
inline constexpr const char* kNotPlugged = "template.not_plugged";  // %s: class names + CR each
inline constexpr const char* kOpenFailed = "data.open_failed";      // %s: component name
inline constexpr const char* kMissing = "data.missing";             // %s: data source name
inline constexpr const char* kNotADataset = "data.not_a_dataset";   // %s: component name

}  // namespace report::model_text
