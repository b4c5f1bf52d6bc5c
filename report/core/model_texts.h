// Keys of the engine texts used by the object model, the printer layer and the template file.
#pragma once

namespace report::model_text {

inline constexpr const char* kVirtualPrinter = "printer.virtual";  // "Imprimante virtuelle"
inline constexpr const char* kDefaultBin = "printer.default_bin";  // "Defaut"
inline constexpr const char* kUntitled = "report.untitled";        // "Sans_nom"
inline constexpr const char* kUnsupportedFormat =
    "template.unsupported";  // "Format ETF non supporté"
inline constexpr const char* kMissingComponents = "template.missing_components";
inline constexpr const char* kMissingComponentsEnd = "template.missing_components_end";

}  // namespace report::model_text
