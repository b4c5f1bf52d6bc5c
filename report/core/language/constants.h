// The constants that report expressions and scripts may name: colours, modal results, CRLF,
// Null, font styles, frame sides, alignments, band alignments, pen styles and message box codes.
#pragma once

#include "report/core/value/variables.h"

namespace report {

// Switches the list to sorted mode and enters the constants. Colours are int32 values 0x00BBGGRR
// (system colours 0x80000000 + n); the other numbers are uint8 values.
void AddStandardConstants(Variables& constants);

}  // namespace report
