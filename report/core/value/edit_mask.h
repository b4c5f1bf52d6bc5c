// An edit-mask formatter for FORMATTEXT: places the characters of a value into the positions of
// a mask.
//
// Mask text: the mask, then optionally ";" and a save-literals flag ("1" when the value holds
// the mask's literal characters too, "0" when it holds only what the positions take), then
// optionally ";" and the character shown for an empty position (default '_'). When more
// sections follow, the last two are the flag and the blank character, so a mask of the user's
// with `;0; ` appended means: literals not in the value, a blank for each empty position.
//
// Mask characters: `0` digit, `9` digit or blank, `#` digit, sign or blank, `L` letter, `l`
// letter or blank, `A` letter or digit, `a` letter, digit or blank, `C` any character, `c` any
// character or blank; `>` upper-cases and `<` lower-cases the characters that follow, `<>`
// stops that; `\` makes the next character a literal; `_` is a literal blank; `:` and `/` are
// the locale's time and date separators; a leading `!` right-aligns a short value (the empty
// positions come first); any other character is a literal.
//
// A value character that does not suit its position is shown as the blank character and
// consumed. Value characters beyond the mask's positions are dropped.
#pragma once

#include <string>
#include <string_view>

namespace report {

std::string FormatMaskText(std::string_view maskText, std::string_view value);

}  // namespace report
