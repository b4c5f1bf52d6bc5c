// What the user asked to print: the print dialog's answer, kept for the length of a print.
#pragma once

#include <cstdint>
#include <string>

namespace report {

enum class PrintParity : uint8_t { ppAll = 0, ppOdd = 1, ppEven = 2 };

struct PrintOptions {
    std::string pageList;  // "1,3,5-12" (page_list.h); empty: every page
    int copies = 1;        // 0 or less prints one
    bool collate = true;   // whole sets one after another
    uint8_t parity = 0;    // PrintParity; any other value prints nothing
};

// True when page `pageNumber` (from 1) prints under `parity`.
inline bool PrintsUnderParity(int pageNumber, uint8_t parity) {
    switch (parity) {
        case static_cast<uint8_t>(PrintParity::ppAll):
            return true;
        case static_cast<uint8_t>(PrintParity::ppOdd):
            return pageNumber % 2 == 1;
        case static_cast<uint8_t>(PrintParity::ppEven):
            return pageNumber % 2 == 0;
        default:
            return false;
    }
}

}  // namespace report
