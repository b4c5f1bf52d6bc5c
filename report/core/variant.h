// Variant: the dynamically typed value of the report engine.
//
// Kinds are grouped into classes that decide how two values combine (see the class table in
// variant.cpp): E empty, N Null, I (int8, int16, int32, uint8), R (single, double),
// C currency, S string, B boolean, D date-time, L (uint16, uint32, int64).
// Strings are Windows-1252 bytes. Errors: VariantOperationError ("Opération de variant
// incorrecte"), VariantConversionError ("Conversion de type variant incorrecte"),
// FloatingPointError ("Opération en virgule flottante incorrecte").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "report/core/date_time.h"

namespace report {

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
    // Currency from a count of ten-thousandths (12.5 is 125000) or from a real (rounded to even).
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

    // Raw access to the stored value (no conversion); the kind must match.
    const std::string& StringValue() const;
    int64_t IntegerValue() const;     // any integer kind, and boolean (true = -1)
    double RealValue() const;         // single, double, date-time
    int64_t CurrencyScaled() const;   // currency

    // Conversions. Empty converts to 0, "", false; Null and unconvertible strings raise
    // VariantConversionError; out-of-range values raise VariantConversionError too.
    double ToReal() const;            // strings read with the locale's decimal separator
    int32_t ToInt() const;            // reals rounded half to even
    int64_t ToInt64() const;
    bool ToBool() const;              // numbers: non-zero; strings "True"/"False" (any case) or numbers
    report::DateTime ToDateTime() const;  // strings read as a date-time, else as a number
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
    friend Variant operator-(const Variant& a);  // negation keeps the kind

    // Three-way comparison under the class table: <0, 0, >0. Null is below every other kind and
    // equal to Null; empty raises VariantOperationError.
    friend int Compare(const Variant& a, const Variant& b);
    friend bool operator==(const Variant& a, const Variant& b) { return Compare(a, b) == 0; }
    friend bool operator<(const Variant& a, const Variant& b) { return Compare(a, b) < 0; }
    friend bool operator<=(const Variant& a, const Variant& b) { return Compare(a, b) <= 0; }
    friend bool operator>(const Variant& a, const Variant& b) { return Compare(a, b) > 0; }
    friend bool operator>=(const Variant& a, const Variant& b) { return Compare(a, b) >= 0; }

    // Exact equality of kind and stored value, for tests and containers (no conversion, no errors).
    bool Identical(const Variant& other) const;

private:
    VariantKind kind_ = VariantKind::Empty;
    std::variant<std::monostate, int64_t, double, std::string> value_;
};

}  // namespace report
