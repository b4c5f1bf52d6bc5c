// Variant: the dynamically typed value of the report engine.
//
// Kinds are grouped into classes that decide how two values combine (see the class table in
// variant.cpp): E empty, N Null, I (int8, int16, int32, uint8), R (single, double),
// C currency, S string, B boolean, D date-time, L (uint16, uint32, int64).
// Strings are Windows-1252 bytes. Errors: VariantOperationError ("Opération de variant
// incorrecte"), VariantConversionError ("Conversion de type variant incorrecte"),
// FloatingPointError ("Opération en virgule flottante incorrecte"), DivisionByZeroError
// ("Division par zéro", MOD by zero).
//
// Result kinds of the arithmetic:
// - I class: int32, or int64 when the int32 result overflows (int8 + int8 is int32);
//   `/` gives a double.
// - L class: int64; an int64 overflow gives a double. `/` gives a double.
// - R class, and B, S (except string + string) and D (except the date-time results below):
//   double, or single when both operands are singles.
// - C class: currency (`/` too); overflow raises FloatingPointError.
// - D class: `+` gives a date-time; `-` a date-time when both operands are date-times, else a
//   double; `*` and `/` a double.
// - `MOD` is always an integer remainder with the sign of the dividend: int64 in the L class,
//   elsewhere int32, or int64 when the result needs it. Reals, currency, dates and strings are
//   first rounded to integers (half to even).
// Strings combined with a boolean read as numbers or "True"/"False"; with a date-time as numbers
// or dates; elsewhere as numbers only.
// A real result that is infinite or not a number raises FloatingPointError (0 / 0, x / 0,
// overflow).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "report/core/base/errors.h"
#include "report/core/value/date_time.h"

namespace report {

// "Division par zéro": the integer remainder (MOD) with a zero divisor.
class DivisionByZeroError : public EngineError {
  public:
    DivisionByZeroError();
};

enum class VariantKind : uint8_t {
    Empty,
    Null,
    Int8,
    Int16,
    Int32,
    UInt8,
    Single,
    Double,
    Currency,
    String,
    Boolean,
    DateTime,
    UInt16,
    UInt32,
    Int64,
};

// The name used by `etat eval`: "empty", "null", "int8", ..., "datetime".
std::string_view KindName(VariantKind kind);

class Variant {
  public:
    Variant() = default;  // empty

    static Variant Null();
    static Variant Int8(int8_t v);
    static Variant Int16(int16_t v);
    static Variant Int32(int32_t v);
    static Variant UInt8(uint8_t v);
    static Variant UInt16(uint16_t v);
    static Variant UInt32(uint32_t v);
    static Variant Int64(int64_t v);
    static Variant Single(float v);
    static Variant Double(double v);
    // Currency from a count of ten-thousandths (12.5 is 125000) or from a real (rounded to even;
    // a real beyond the currency range, or NaN, raises VariantConversionError).
    static Variant CurrencyFromScaled(int64_t tenThousandths);
    static Variant Currency(double v);
    static Variant String(std::string v);
    static Variant Boolean(bool v);
    static Variant DateTime(report::DateTime v);

    VariantKind Kind() const { return kind_; }
    bool IsEmpty() const { return kind_ == VariantKind::Empty; }
    bool IsNull() const { return kind_ == VariantKind::Null; }
    bool IsString() const { return kind_ == VariantKind::String; }
    bool IsNumeric() const;  // an integer kind, a real or currency

    // Raw access to the stored value (no conversion); the kind must match, else
    // VariantConversionError.
    const std::string& StringValue() const;
    int64_t IntegerValue() const;    // any integer kind, and boolean (true = -1)
    double RealValue() const;        // single, double, date-time
    int64_t CurrencyScaled() const;  // currency

    // Conversions. Empty converts to 0, "", false; Null and unconvertible strings raise
    // VariantConversionError; out-of-range values (and NaN) raise VariantConversionError too.
    // Booleans count as -1 (true) and 0.
    // Strings are read as a real only when they are a number (locale's decimal separator), never
    // as a date: a function that wants a date argument as a real (DAYOF...) uses ToReal, so that
    // DAYOF('15/11/1998') raises the conversion error.
    double ToReal() const;
    int32_t ToInt() const;  // reals rounded half to even; strings as integers or reals
    int64_t ToInt64() const;
    bool ToBool() const;  // numbers: non-zero; strings "True"/"False" (any case) or numbers
    report::DateTime ToDateTime() const;  // strings read as a number, else as a date-time
    int64_t ToCurrencyScaled() const;
    // The text form: strings as they are, integers in decimal, reals in general format with up to
    // 15 significant digits, currency likewise, booleans "True"/"False", date-times in the short
    // date format followed by the time when it is not 0, empty as "". Null raises
    // VariantConversionError.
    std::string ToText() const;

    // Arithmetic under the class table.
    friend Variant operator+(const Variant& a, const Variant& b);
    friend Variant operator-(const Variant& a, const Variant& b);
    friend Variant operator*(const Variant& a, const Variant& b);
    friend Variant operator/(const Variant& a, const Variant& b);
    friend Variant Mod(const Variant& a, const Variant& b);
    // Negation keeps the kind when the result fits in it; otherwise int8, int16, int32 and uint8
    // become int32 (int64 for -int32 min), uint16 and uint32 int64, int64 min a double. Strings
    // are read as reals (double). Booleans stay as they are (-true is true). Null stays Null;
    // empty raises VariantOperationError; currency min raises FloatingPointError.
    friend Variant operator-(const Variant& a);

    // Three-way comparison under the class table: <0, 0, >0. Null is below every other kind and
    // equal to Null; empty raises VariantOperationError. I and L compare as integers (booleans
    // -1 and 0), R and D as reals, C as currency (as reals when a real is beyond the currency
    // range, so 1e300 stays above every currency), S byte by byte, B with false below true.
    friend int Compare(const Variant& a, const Variant& b);
    friend bool operator==(const Variant& a, const Variant& b) { return Compare(a, b) == 0; }
    friend bool operator<(const Variant& a, const Variant& b) { return Compare(a, b) < 0; }
    friend bool operator<=(const Variant& a, const Variant& b) { return Compare(a, b) <= 0; }
    friend bool operator>(const Variant& a, const Variant& b) { return Compare(a, b) > 0; }
    friend bool operator>=(const Variant& a, const Variant& b) { return Compare(a, b) >= 0; }

    // Exact equality of kind and stored value, for tests and containers (no conversion, no errors).
    bool Identical(const Variant& other) const;

  private:
    Variant(VariantKind kind, int64_t v) : kind_(kind), value_(v) {}
    Variant(VariantKind kind, double v) : kind_(kind), value_(v) {}

    // Integer kinds, booleans (-1 / 0) and currency (scaled) hold int64_t; single, double and
    // date-time hold double (a single already rounded to float); strings hold std::string.
    VariantKind kind_ = VariantKind::Empty;
    std::variant<std::monostate, int64_t, double, std::string> value_;
};

}  // namespace report
