// Keys of the engine texts used by the printer layer.
#pragma once

namespace report::printer_text {

inline constexpr const char* kVirtualPrinter = "printer.virtual";  // "Imprimante virtuelle"
inline constexpr const char* kDefaultBin = "printer.default_bin";  // "Defaut"

}  // namespace report::printer_text
