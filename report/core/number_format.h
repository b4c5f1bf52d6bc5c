// Parsing and formatting of numbers under Formats().
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace report {

// Integer text: optional blanks around, optional sign, decimal digits, or hexadecimal digits
// after "$" or "0x"/"0X". Out-of-range or malformed text raises
// ConvertError::NotInteger ("'%s' n'est pas une valeur entière correcte").
int32_t StrToInt(std::string_view text);
int64_t StrToInt64(std::string_view text);
bool TryStrToInt(std::string_view text, int32_t& value);
bool TryStrToInt64(std::string_view text, int64_t& value);

// Real text with Formats().decimalSeparator: optional blanks around, sign, digits, one
// separator, optional exponent (E or e, sign, digits). Malformed text raises
// ConvertError::NotFloat ("'%s' n'est pas une valeur en virgule flottante correcte").
double StrToFloat(std::string_view text);
bool TryStrToFloat(std::string_view text, double& value);

// General format: shortest of fixed and scientific notation with up to 15 significant digits,
// the locale's decimal separator, no trailing zeros ("1,5", "100", "1E20", "1,5E-10").
std::string FloatToStr(double value);

// Fixed notation with the given number of decimals ("1234,50"); thousands-grouped notation
// ("1 234,50" with the locale's separator). Precision is the number of significant digits
// (15 in the display formats); values that need more digits before the separator fall back
// to the general format.
std::string FloatToStrFixed(double value, int decimals, int precision = 15);
std::string FloatToStrNumber(double value, int decimals, int precision = 15);

// Number pattern: `0` digit, `#` optional digit, `.` decimal separator (written as the locale's),
// `,` anywhere before the separator asks for thousands grouping, `E+`/`E-` exponent,
// quoted literal text ('...' or "..."), up to three sections separated by `;` for positive,
// negative and zero values. An empty pattern gives the general format.
std::string FormatFloat(std::string_view pattern, double value);

// Currency: a 64-bit count of ten-thousandths. Text form in general format ("12,5").
std::string CurrencyToStr(int64_t tenThousandths);

}  // namespace report
