// Where a word may be hyphenated. Text is Windows-1252 and broken by the French rule, unless
// the font's character set is Cyrillic (code page 1251): those words are broken by the rule
// written for upper-cased Russian text.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace report {

enum class Alphabet : uint8_t { Latin, Cyrillic };

// The alphabet a text object's bytes are in, from its font's character set (204: Cyrillic).
Alphabet AlphabetOfCharset(uint8_t charset);

// Break positions p (a break after the p-th letter, 1-based), ascending; none for words of at
// most four letters. Positions beyond `limit` are not all needed (a wrapped line never fits a
// break beyond the letter that overflowed): only the first of them is given, so that long
// words stay cheap while an empty answer still means the word has no break at all.
//
// Latin (French): a break falls between syllables: before a single consonant between vowels
// (ca-mion), between two consonants (par-tir), before a consonant followed by l or r or
// forming ch, ph, th, gn (pro-blème, pho-to), never between vowels nor around an x between
// vowels; at least two letters stay before the break and three after it.
std::vector<size_t> HyphenationPoints(std::string_view word, Alphabet alphabet,
                                      size_t limit = SIZE_MAX);

}  // namespace report
