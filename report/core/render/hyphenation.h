// Where a word may be hyphenated. The rule knows the vowels and signs of upper-cased Cyrillic
// (code page 1251) text; other text has no break positions.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace report {

// Break positions p (a break after the p-th letter, 1-based), ascending; none for words of at
// most four letters. Positions beyond `limit` are not all needed (a wrapped line never fits a
// break beyond the letter that overflowed): only the first of them is given, so that long
// words stay cheap while an empty answer still means the word has no break at all.
std::vector<size_t> HyphenationPoints(std::string_view word, size_t limit = SIZE_MAX);

}  // namespace report
