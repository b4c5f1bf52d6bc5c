// The built-in paper table: the platform's standard paper codes with their portrait sizes in
// tenths of a millimetre. It is the virtual printer's list of papers.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace report {

inline constexpr int32_t kCustomPaperCode = 256;  // a size given by width and height
inline constexpr int32_t kA4PaperCode = 9;

struct PaperInfo {
    int32_t code;
    int32_t width;   // tenths of a millimetre, portrait
    int32_t height;  // tenths of a millimetre, portrait
};

inline constexpr int kPaperTableRows = 67;

const std::array<PaperInfo, kPaperTableRows>& PaperTable();

// The display name of row `row` (engine text 55008 + row), Windows-1252.
const std::string& PaperName(int row);

// The row holding `code`, or -1.
int PaperRowOf(int32_t code);

}  // namespace report
