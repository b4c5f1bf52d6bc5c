// Parsing and formatting of numbers under Formats().
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace report {

// Integer text: optional blanks around, optional sign, decimal digits, or hexadecimal digits
// after "$" or "0x"/"0X". Decimal text must fit the signed range; hexadecimal text may use the
// whole width and is read as two's complement ("$FFFFFFFF" is -1, "$8000000F" a system colour).
// Out-of-range or malformed text raises
// ConvertError::NotInteger ("'%s' n'est pas une valeur entière correcte") with the text as given.
// The Try forms leave `value` untouched on failure.
int32_t StrToInt(std::string_view text);
int64_t StrToInt64(std::string_view text);
bool TryStrToInt(std::string_view text, int32_t& value);
bool TryStrToInt64(std::string_view text, int64_t& value);

// Real text with Formats().decimalSeparator: optional blanks around, sign, digits, one
// separator (",5" and "5," are read), optional exponent (E or e, sign, digits). The value is
// the nearest double; a value too small for a double reads as 0, one too large is an error.
// Malformed text raises
// ConvertError::NotFloat ("'%s' n'est pas une valeur en virgule flottante correcte").
double StrToFloat(std::string_view text);
bool TryStrToFloat(std::string_view text, double& value);

// Rounding, everywhere below: the double's exact decimal expansion is rounded half away from
// zero at the last printed digit. So 2.675 (really 2.67499999999999982...) prints "2,67" with
// two decimals, while 0.125 (exact) prints "0,13". A printed zero never carries a minus sign.
// NaN and infinities print "NAN", "INF" and "-INF".
//
// General format: up to 15 significant digits, the locale's decimal separator, no trailing
// zeros. Fixed notation while the value needs at most 15 digits before the separator and is at
// least 0.0001 ("1,5", "100", "0,0001"); scientific otherwise: one digit, the decimals, "E", a
// minus sign for negative exponents, the exponent without leading zeros ("1E20", "1,5E-10").
std::string FloatToStr(double value);

// Fixed notation with the given number of decimals ("1234,50"); thousands-grouped notation
// ("1 234,50" with the locale's separator). Decimals are taken in 0..18, precision in 1..18.
// Precision is the number of significant digits (15 in the display formats): digits beyond it
// print as zeros; values that need more digits before the separator fall back to the general
// format with that precision.
std::string FloatToStrFixed(double value, int decimals, int precision = 15);
std::string FloatToStrNumber(double value, int decimals, int precision = 15);

// Number pattern: `0` digit, `#` optional digit, `.` decimal separator (written as the locale's,
// and only when decimals follow), `,` anywhere before the separator asks for thousands grouping
// (the locale's separator), `E+`/`E-` exponent after the digits (`E+` always signed, `E-` only
// when negative; its `0`s give the minimum exponent digits, at most 4), quoted literal text
// ('...' or "...", an unclosed quote runs to the end), other characters printed where written.
// Integer digits beyond the placeholders go to the first one; a minus sign goes just before the
// first digit.
// Up to three sections separated by `;` (outside quotes): positive, negative (printed without
// a sign), zero. An empty negative or zero section falls back to the first; a value that
// rounds to zero prints with the zero section. A section without placeholders prints its text
// alone. An empty pattern or first section gives the general format, and so does a value of
// 1e18 or more in a section without exponent.
std::string FormatFloat(std::string_view pattern, double value);

// Currency: a 64-bit count of ten-thousandths. Text form in general format ("12,5").
std::string CurrencyToStr(int64_t tenThousandths);

}  // namespace report
