// The display format editor's live samples: what a fixed value prints as in each format kind,
// under the program's current (French) settings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace report {

// The values the samples show: the number 1234.5 (negative numbers print alike with a sign),
// the moment 11/12/2026 14:30:05, the text "Tombage".
inline constexpr double kSampleNumber = 1234.5;

// Every kind a format code may have, category by category, variant by variant (text has one),
// with `decimals` and `separator` in the number codes.
std::vector<int32_t> FormatKindCodes(int decimals, char separator);

// The sample of a format: the category's sample value printed with `code` and `pattern`. A
// boolean shows what prints for 0, then " / ", then what prints for 1.
std::string FormatSample(int32_t code, const std::string& pattern);

// The editor's name of a category ("Texte", "Nombre", "Date", "Heure", "Booléen").
const std::string& FormatCategoryName(int category);

}  // namespace report
