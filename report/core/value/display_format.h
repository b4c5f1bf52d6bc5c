// Display formats: how a value becomes the text that a report prints.
//
// A format is a 32-bit code and a pattern text. Code bits: 24-27 the category (text, number,
// date, time, boolean), 16-23 the variant within the category (0 to 4; 4 uses the pattern),
// 8-15 the number of decimals, 0-7 the decimal separator character (numbers).
#pragma once

#include <cstdint>
#include <string>

#include "report/core/value/variant.h"

namespace report {

namespace format_category {
inline constexpr int kText = 0;
inline constexpr int kNumber = 1;
inline constexpr int kDate = 2;
inline constexpr int kTime = 3;
inline constexpr int kBoolean = 4;
}  // namespace format_category

inline constexpr int kPatternVariant = 4;

constexpr int32_t MakeFormatCode(int category, int variant, int decimals, char separator) {
    return static_cast<int32_t>((static_cast<uint32_t>(category & 0x0F) << 24) |
                                (static_cast<uint32_t>(variant & 0xFF) << 16) |
                                (static_cast<uint32_t>(decimals & 0xFF) << 8) |
                                static_cast<uint8_t>(separator));
}
constexpr int FormatCategory(int32_t code) {
    return (code >> 24) & 0x0F;
}
constexpr int FormatVariant(int32_t code) {
    return (code >> 16) & 0xFF;
}
constexpr int FormatDecimals(int32_t code) {
    return (code >> 8) & 0xFF;
}
constexpr char FormatSeparator(int32_t code) {
    return static_cast<char>(code & 0xFF);
}
// The format of a new object: text, 2 decimals, the current decimal separator.
int32_t DefaultFormatCode();

struct DisplayFormat {
    int32_t code = 0;
    std::string pattern;
};

// Cuts a format suffix off the inner text of a bracket: everything after the first blank
// followed by '#'. The suffix, when it means a format, replaces `format`:
//   #N..., #n... or #<digit>...: a number. With a digit after the N, fixed notation whose
//     decimals follow the rightmost ',', '-' or '.' (#N2.2: 2 decimals, '.' as separator);
//     otherwise the rest is a number pattern whose rightmost ',', '-' or '.' is the decimal
//     separator (#N#,##0.00).
//   #D... / #T...: a date-time pattern.  #B...: a boolean format "text for 0;text otherwise".
// Any other suffix is cut off and leaves the format as it was.
void ApplyFormatSuffix(std::string& text, DisplayFormat& format);

// The printed text of a value. Empty, Null and strings made only of characters up to 32 print
// nothing. Text: the value's text form. Number: the code's separator stands for the decimal
// separator while formatting; variants 0 "##0." and 2 "#,##0." followed by one '#' per decimal,
// 1 fixed and 3 thousands-grouped notation with the code's decimals, 4 the pattern. Date:
// "mm.dd.yy", "mm.dd.yyyy", "d mmm yyyy", the long date format, the pattern. Time: "hh:nn:ss",
// "h:nn:ss", "hh:nn", "h:nn", the pattern. Boolean: "0;1", "Oui;Non", "_;x", "False;True", the
// pattern; the first part for a value whose integer form is 0, the second otherwise. A value
// that does not suit its format (a text that is not a number or date) prints its text form.
std::string FormatDisplayValue(const Variant& value, int32_t formatCode,
                               const std::string& formatPattern);

}  // namespace report
