#include "report/core/value/variant.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"
#include "report/core/value/number_format.h"

namespace report {

DivisionByZeroError::DivisionByZeroError() : EngineError(EngineText("err.int_div_zero")) {}

namespace {

// The classes of the kinds. Err marks the cells of the table that raise the operation error.
enum class Class : uint8_t { Err, N, I, R, C, S, B, D, L };

Class ClassOf(VariantKind kind) {
    switch (kind) {
        case VariantKind::Empty:
            return Class::Err;
        case VariantKind::Null:
            return Class::N;
        case VariantKind::Int8:
        case VariantKind::Int16:
        case VariantKind::Int32:
        case VariantKind::UInt8:
            return Class::I;
        case VariantKind::Single:
        case VariantKind::Double:
            return Class::R;
        case VariantKind::Currency:
            return Class::C;
        case VariantKind::String:
            return Class::S;
        case VariantKind::Boolean:
            return Class::B;
        case VariantKind::DateTime:
            return Class::D;
        case VariantKind::UInt16:
        case VariantKind::UInt32:
        case VariantKind::Int64:
            return Class::L;
    }
    return Class::Err;
}

// The rule of a binary operation or comparison: row = class of the left operand, column =
// class of the right one, both in the order E N I R C S B D L.
constexpr Class E = Class::Err, N = Class::N, I = Class::I, R = Class::R, C = Class::C,
                S = Class::S, B = Class::B, D = Class::D, L = Class::L;
constexpr Class kTable[9][9] = {
    /* E */ {E, E, E, E, E, E, E, E, E},
    /* N */ {E, N, N, N, N, N, N, N, N},
    /* I */ {E, N, I, R, C, R, I, D, L},
    /* R */ {E, N, R, R, C, R, R, D, R},
    /* C */ {E, N, C, C, C, C, C, D, C},
    /* S */ {E, N, R, R, C, S, B, D, R},
    /* B */ {E, N, I, R, C, B, B, D, L},
    /* D */ {E, N, D, D, D, D, D, D, D},
    /* L */ {E, N, L, R, C, R, L, D, L},
};

// Row and column of a kind: the class enumeration puts Err where the table has E.
Class Rule(const Variant& a, const Variant& b) {
    return kTable[static_cast<int>(ClassOf(a.Kind()))][static_cast<int>(ClassOf(b.Kind()))];
}

enum class Op : uint8_t { Add, Sub, Mul, Div, Mod };

// 2^63 as a double: the first value beyond the 64-bit range.
constexpr double kTwo63 = 9223372036854775808.0;
constexpr int64_t kCurrencyScale = 10000;

double CheckedReal(double value) {
    if (!std::isfinite(value)) throw FloatingPointError();
    return value;
}

int64_t RealToInt64(double value) {
    const double rounded = std::nearbyint(value);  // the default rounding mode is half to even
    if (!(rounded >= -kTwo63 && rounded < kTwo63)) throw VariantConversionError();
    return static_cast<int64_t>(rounded);
}

int64_t RealToCurrency(double value) {
    const double scaled = value * static_cast<double>(kCurrencyScale);
    if (!(scaled > -kTwo63 && scaled < kTwo63)) throw VariantConversionError();
    return RealToInt64(scaled);
}

// n / d rounded to the nearest integer, halves to even; d is not 0.
__int128 DivideHalfEven(__int128 n, __int128 d) {
    __int128 q = n / d;
    const __int128 r = n % d;
    const __int128 twiceRest = (r < 0 ? -r : r) * 2;
    const __int128 absD = d < 0 ? -d : d;
    if (twiceRest > absD || (twiceRest == absD && (q & 1) != 0)) q += ((n < 0) != (d < 0)) ? -1 : 1;
    return q;
}

int64_t CurrencyToInteger(int64_t scaled) {
    return static_cast<int64_t>(DivideHalfEven(scaled, kCurrencyScale));
}

bool ReadBooleanWord(std::string_view text, bool& value) {
    const std::string word = Trim(text);
    if (SameText(word, "True")) {
        value = true;
        return true;
    }
    if (SameText(word, "False")) {
        value = false;
        return true;
    }
    return false;
}

Variant IntegerResult(int64_t value) {
    if (value >= INT32_MIN && value <= INT32_MAX)
        return Variant::Int32(static_cast<int32_t>(value));
    return Variant::Int64(value);
}

Variant RealResult(double value, bool asSingle) {
    CheckedReal(value);
    if (asSingle) {
        if (std::fabs(value) > std::numeric_limits<float>::max()) throw FloatingPointError();
        return Variant::Single(static_cast<float>(value));
    }
    return Variant::Double(value);
}

double RealOperation(Op op, double x, double y) {
    switch (op) {
        case Op::Add:
            return CheckedReal(x + y);
        case Op::Sub:
            return CheckedReal(x - y);
        case Op::Mul:
            return CheckedReal(x * y);
        case Op::Div:
            return CheckedReal(x / y);  // x / 0 is infinite, 0 / 0 not a number
        case Op::Mod:
            break;
    }
    throw VariantOperationError();
}

int64_t Remainder(int64_t x, int64_t y) {
    if (y == 0) throw DivisionByZeroError();
    if (y == -1) return 0;  // INT64_MIN % -1 would trap
    return x % y;
}

// 64-bit integer + - * and MOD. An overflow gives the double result of the same operation.
Variant Int64Operation(Op op, int64_t x, int64_t y) {
    int64_t result = 0;
    bool overflow = false;
    switch (op) {
        case Op::Add:
            overflow = __builtin_add_overflow(x, y, &result);
            break;
        case Op::Sub:
            overflow = __builtin_sub_overflow(x, y, &result);
            break;
        case Op::Mul:
            overflow = __builtin_mul_overflow(x, y, &result);
            break;
        case Op::Mod:
            result = Remainder(x, y);
            break;
        case Op::Div:
            throw VariantOperationError();
    }
    if (overflow)
        return Variant::Double(RealOperation(op, static_cast<double>(x), static_cast<double>(y)));
    return Variant::Int64(result);
}

Variant CurrencyOperation(Op op, int64_t x, int64_t y) {
    int64_t result = 0;
    switch (op) {
        case Op::Add:
            if (__builtin_add_overflow(x, y, &result)) throw FloatingPointError();
            break;
        case Op::Sub:
            if (__builtin_sub_overflow(x, y, &result)) throw FloatingPointError();
            break;
        case Op::Mul:
        case Op::Div: {
            if (op == Op::Div && y == 0) throw FloatingPointError();
            const __int128 exact =
                op == Op::Mul ? DivideHalfEven(static_cast<__int128>(x) * y, kCurrencyScale)
                              : DivideHalfEven(static_cast<__int128>(x) * kCurrencyScale, y);
            if (exact < INT64_MIN || exact > INT64_MAX) throw FloatingPointError();
            result = static_cast<int64_t>(exact);
            break;
        }
        case Op::Mod:
            throw VariantOperationError();
    }
    return Variant::CurrencyFromScaled(result);
}

// A string in the B cell: a number when it reads as one, else "True" (-1) or "False" (0).
double BooleanCellReal(const Variant& v) {
    if (!v.IsString()) return v.ToReal();
    double value = 0;
    if (TryStrToFloat(v.StringValue(), value)) return value;
    bool flag = false;
    if (ReadBooleanWord(v.StringValue(), flag)) return flag ? -1 : 0;
    throw VariantConversionError();
}

// The real form of an operand under a rule of the table.
double OperandReal(const Variant& v, Class rule) {
    switch (rule) {
        case Class::D:
            return v.ToDateTime();
        case Class::B:
            return BooleanCellReal(v);
        default:
            return v.ToReal();
    }
}

// The integer form of an operand of MOD under a rule of the table.
int64_t OperandInteger(const Variant& v, Class rule) {
    switch (v.Kind()) {
        case VariantKind::Int8:
        case VariantKind::Int16:
        case VariantKind::Int32:
        case VariantKind::UInt8:
        case VariantKind::UInt16:
        case VariantKind::UInt32:
        case VariantKind::Int64:
        case VariantKind::Boolean:
            return v.IntegerValue();
        case VariantKind::Currency:
            return CurrencyToInteger(v.CurrencyScaled());
        default:
            return RealToInt64(OperandReal(v, rule));
    }
}

Variant Combine(Op op, const Variant& a, const Variant& b) {
    const Class rule = Rule(a, b);
    switch (rule) {
        case Class::Err:
            throw VariantOperationError();
        case Class::N:
            return Variant::Null();
        case Class::I:
        case Class::L: {
            if (op == Op::Div) return Variant::Double(RealOperation(op, a.ToReal(), b.ToReal()));
            // Operands of the I class hold 32 bits at most, so their 64-bit result is exact and
            // an int32 overflow widens to int64; the L class stays int64 (double on overflow).
            Variant result = Int64Operation(op, a.IntegerValue(), b.IntegerValue());
            if (rule == Class::I && result.Kind() == VariantKind::Int64)
                return IntegerResult(result.IntegerValue());
            return result;
        }
        case Class::C:
            if (op == Op::Mod)
                return IntegerResult(Remainder(OperandInteger(a, rule), OperandInteger(b, rule)));
            return CurrencyOperation(op, a.ToCurrencyScaled(), b.ToCurrencyScaled());
        case Class::S:
            if (op == Op::Add) return Variant::String(a.StringValue() + b.StringValue());
            [[fallthrough]];
        case Class::R:
        case Class::B:
        case Class::D: {
            if (op == Op::Mod)
                return IntegerResult(Remainder(OperandInteger(a, rule), OperandInteger(b, rule)));
            const double x = OperandReal(a, rule);
            const double y = OperandReal(b, rule);
            const double result = RealOperation(op, x, y);
            if (rule == Class::D) {
                const bool bothDates =
                    a.Kind() == VariantKind::DateTime && b.Kind() == VariantKind::DateTime;
                if (op == Op::Add || (op == Op::Sub && bothDates)) return Variant::DateTime(result);
            }
            const bool bothSingle =
                a.Kind() == VariantKind::Single && b.Kind() == VariantKind::Single;
            return RealResult(result, bothSingle);
        }
    }
    throw VariantOperationError();
}

template <typename T>
int ThreeWay(T x, T y) {
    if (x < y) return -1;
    if (y < x) return 1;
    return 0;
}

// Currency and a real beyond the currency range compare as reals.
bool FitsCurrency(const Variant& v) {
    if (v.Kind() != VariantKind::Single && v.Kind() != VariantKind::Double) return true;
    const double scaled = v.RealValue() * static_cast<double>(kCurrencyScale);
    return scaled > -kTwo63 && scaled < kTwo63;
}

// The general format with 7 significant digits, so that single 0.1 reads "0,1".
std::string SingleToText(double value) {
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    double rounded = value;
    std::from_chars(buffer, written.ptr, rounded);
    return FloatToStr(rounded);
}

}  // namespace

std::string_view KindName(VariantKind kind) {
    switch (kind) {
        case VariantKind::Empty:
            return "empty";
        case VariantKind::Null:
            return "null";
        case VariantKind::Int8:
            return "int8";
        case VariantKind::Int16:
            return "int16";
        case VariantKind::Int32:
            return "int32";
        case VariantKind::UInt8:
            return "uint8";
        case VariantKind::Single:
            return "single";
        case VariantKind::Double:
            return "double";
        case VariantKind::Currency:
            return "currency";
        case VariantKind::String:
            return "string";
        case VariantKind::Boolean:
            return "boolean";
        case VariantKind::DateTime:
            return "datetime";
        case VariantKind::UInt16:
            return "uint16";
        case VariantKind::UInt32:
            return "uint32";
        case VariantKind::Int64:
            return "int64";
    }
    return "";
}

Variant Variant::Null() {
    Variant v;
    v.kind_ = VariantKind::Null;
    return v;
}
Variant Variant::Int8(int8_t v) {
    return Variant(VariantKind::Int8, int64_t{v});
}
Variant Variant::Int16(int16_t v) {
    return Variant(VariantKind::Int16, int64_t{v});
}
Variant Variant::Int32(int32_t v) {
    return Variant(VariantKind::Int32, int64_t{v});
}
Variant Variant::UInt8(uint8_t v) {
    return Variant(VariantKind::UInt8, int64_t{v});
}
Variant Variant::UInt16(uint16_t v) {
    return Variant(VariantKind::UInt16, int64_t{v});
}
Variant Variant::UInt32(uint32_t v) {
    return Variant(VariantKind::UInt32, int64_t{v});
}
Variant Variant::Int64(int64_t v) {
    return Variant(VariantKind::Int64, v);
}
Variant Variant::Single(float v) {
    return Variant(VariantKind::Single, double{v});
}
Variant Variant::Double(double v) {
    return Variant(VariantKind::Double, v);
}
Variant Variant::CurrencyFromScaled(int64_t tenThousandths) {
    return Variant(VariantKind::Currency, tenThousandths);
}
Variant Variant::Currency(double v) {
    return CurrencyFromScaled(RealToCurrency(v));
}
Variant Variant::String(std::string v) {
    Variant result;
    result.kind_ = VariantKind::String;
    result.value_ = std::move(v);
    return result;
}
Variant Variant::Boolean(bool v) {
    return Variant(VariantKind::Boolean, int64_t{v ? -1 : 0});
}
Variant Variant::DateTime(report::DateTime v) {
    return Variant(VariantKind::DateTime, v);
}

bool Variant::IsNumeric() const {
    switch (ClassOf(kind_)) {
        case Class::I:
        case Class::R:
        case Class::C:
        case Class::L:
            return true;
        default:
            return false;
    }
}

const std::string& Variant::StringValue() const {
    if (kind_ != VariantKind::String) throw VariantConversionError();
    return std::get<std::string>(value_);
}

int64_t Variant::IntegerValue() const {
    const Class c = ClassOf(kind_);
    if (c != Class::I && c != Class::L && c != Class::B) throw VariantConversionError();
    return std::get<int64_t>(value_);
}

double Variant::RealValue() const {
    if (kind_ != VariantKind::Single && kind_ != VariantKind::Double &&
        kind_ != VariantKind::DateTime)
        throw VariantConversionError();
    return std::get<double>(value_);
}

int64_t Variant::CurrencyScaled() const {
    if (kind_ != VariantKind::Currency) throw VariantConversionError();
    return std::get<int64_t>(value_);
}

double Variant::ToReal() const {
    switch (ClassOf(kind_)) {
        case Class::Err:
            return 0;
        case Class::N:
            throw VariantConversionError();
        case Class::I:
        case Class::L:
        case Class::B:
            return static_cast<double>(std::get<int64_t>(value_));
        case Class::R:
        case Class::D:
            return std::get<double>(value_);
        case Class::C:
            return static_cast<double>(std::get<int64_t>(value_)) /
                   static_cast<double>(kCurrencyScale);
        case Class::S: {
            double value = 0;
            if (!TryStrToFloat(std::get<std::string>(value_), value))
                throw VariantConversionError();
            return value;
        }
    }
    throw VariantConversionError();
}

int64_t Variant::ToInt64() const {
    switch (ClassOf(kind_)) {
        case Class::Err:
            return 0;
        case Class::N:
            throw VariantConversionError();
        case Class::I:
        case Class::L:
        case Class::B:
            return std::get<int64_t>(value_);
        case Class::R:
        case Class::D:
            return RealToInt64(std::get<double>(value_));
        case Class::C:
            return CurrencyToInteger(std::get<int64_t>(value_));
        case Class::S: {
            const std::string& text = std::get<std::string>(value_);
            int64_t integer = 0;
            if (TryStrToInt64(text, integer)) return integer;
            double real = 0;
            if (TryStrToFloat(text, real)) return RealToInt64(real);
            throw VariantConversionError();
        }
    }
    throw VariantConversionError();
}

int32_t Variant::ToInt() const {
    const int64_t value = ToInt64();
    if (value < INT32_MIN || value > INT32_MAX) throw VariantConversionError();
    return static_cast<int32_t>(value);
}

bool Variant::ToBool() const {
    switch (ClassOf(kind_)) {
        case Class::Err:
            return false;
        case Class::N:
            throw VariantConversionError();
        case Class::I:
        case Class::L:
        case Class::B:
        case Class::C:
            return std::get<int64_t>(value_) != 0;
        case Class::R:
        case Class::D:
            return std::get<double>(value_) != 0;
        case Class::S: {
            const std::string& text = std::get<std::string>(value_);
            bool flag = false;
            if (ReadBooleanWord(text, flag)) return flag;
            double real = 0;
            if (TryStrToFloat(text, real)) return real != 0;
            throw VariantConversionError();
        }
    }
    throw VariantConversionError();
}

report::DateTime Variant::ToDateTime() const {
    if (kind_ != VariantKind::String) return ToReal();
    const std::string& text = std::get<std::string>(value_);
    report::DateTime value = 0;
    if (TryStrToFloat(text, value) || TryStrToDateTime(text, value)) return value;
    throw VariantConversionError();
}

int64_t Variant::ToCurrencyScaled() const {
    switch (ClassOf(kind_)) {
        case Class::Err:
            return 0;
        case Class::N:
            throw VariantConversionError();
        case Class::C:
            return std::get<int64_t>(value_);
        case Class::I:
        case Class::L:
        case Class::B: {
            int64_t scaled = 0;
            if (__builtin_mul_overflow(std::get<int64_t>(value_), kCurrencyScale, &scaled))
                throw VariantConversionError();
            return scaled;
        }
        case Class::R:
        case Class::D:
            return RealToCurrency(std::get<double>(value_));
        case Class::S:
            return RealToCurrency(ToReal());
    }
    throw VariantConversionError();
}

std::string Variant::ToText() const {
    switch (kind_) {
        case VariantKind::Empty:
            return "";
        case VariantKind::Null:
            throw VariantConversionError();
        case VariantKind::String:
            return std::get<std::string>(value_);
        case VariantKind::Boolean:
            return std::get<int64_t>(value_) != 0 ? "True" : "False";
        case VariantKind::Single:
            return SingleToText(std::get<double>(value_));
        case VariantKind::Double:
            return FloatToStr(std::get<double>(value_));
        case VariantKind::DateTime:
            return DateTimeToStr(std::get<double>(value_));
        case VariantKind::Currency:
            return CurrencyToStr(std::get<int64_t>(value_));
        case VariantKind::Int8:
        case VariantKind::Int16:
        case VariantKind::Int32:
        case VariantKind::UInt8:
        case VariantKind::UInt16:
        case VariantKind::UInt32:
        case VariantKind::Int64:
            return std::to_string(std::get<int64_t>(value_));
    }
    return "";
}

Variant operator+(const Variant& a, const Variant& b) {
    return Combine(Op::Add, a, b);
}
Variant operator-(const Variant& a, const Variant& b) {
    return Combine(Op::Sub, a, b);
}
Variant operator*(const Variant& a, const Variant& b) {
    return Combine(Op::Mul, a, b);
}
Variant operator/(const Variant& a, const Variant& b) {
    return Combine(Op::Div, a, b);
}
Variant Mod(const Variant& a, const Variant& b) {
    return Combine(Op::Mod, a, b);
}

Variant operator-(const Variant& a) {
    switch (a.kind_) {
        case VariantKind::Empty:
            throw VariantOperationError();
        case VariantKind::Null:
        case VariantKind::Boolean:
            return a;
        case VariantKind::Int8:
        case VariantKind::Int16:
        case VariantKind::Int32:
        case VariantKind::UInt8: {
            const int64_t negated = -std::get<int64_t>(a.value_);  // 32 bits at most: exact
            const bool fits =
                (a.kind_ == VariantKind::Int8 && negated >= INT8_MIN && negated <= INT8_MAX) ||
                (a.kind_ == VariantKind::Int16 && negated >= INT16_MIN && negated <= INT16_MAX) ||
                (a.kind_ == VariantKind::UInt8 && negated == 0);
            if (fits) return Variant(a.kind_, negated);
            return IntegerResult(negated);
        }
        case VariantKind::UInt16:
        case VariantKind::UInt32: {
            const int64_t negated = -std::get<int64_t>(a.value_);
            if (negated == 0) return a;
            return Variant::Int64(negated);
        }
        case VariantKind::Int64: {
            const int64_t value = std::get<int64_t>(a.value_);
            if (value == INT64_MIN) return Variant::Double(-static_cast<double>(value));
            return Variant::Int64(-value);
        }
        case VariantKind::Currency: {
            const int64_t value = std::get<int64_t>(a.value_);
            if (value == INT64_MIN) throw FloatingPointError();
            return Variant::CurrencyFromScaled(-value);
        }
        case VariantKind::Single:
        case VariantKind::Double:
        case VariantKind::DateTime:
            return Variant(a.kind_, -std::get<double>(a.value_));
        case VariantKind::String:
            return Variant::Double(-a.ToReal());
    }
    throw VariantOperationError();
}

int Compare(const Variant& a, const Variant& b) {
    const Class rule = Rule(a, b);
    switch (rule) {
        case Class::Err:
            throw VariantOperationError();
        case Class::N:
            return ThreeWay(a.IsNull() ? 0 : 1, b.IsNull() ? 0 : 1);
        case Class::I:
        case Class::L:
            return ThreeWay(a.IntegerValue(), b.IntegerValue());
        case Class::R:
        case Class::D:
            return ThreeWay(OperandReal(a, rule), OperandReal(b, rule));
        case Class::C:
            if (FitsCurrency(a) && FitsCurrency(b))
                return ThreeWay(a.ToCurrencyScaled(), b.ToCurrencyScaled());
            return ThreeWay(a.ToReal(), b.ToReal());
        case Class::S: {
            const int order = a.StringValue().compare(b.StringValue());  // unsigned bytes
            return ThreeWay(order, 0);
        }
        case Class::B:
            return ThreeWay(a.ToBool() ? 1 : 0, b.ToBool() ? 1 : 0);
    }
    throw VariantOperationError();
}

bool Variant::Identical(const Variant& other) const {
    if (kind_ != other.kind_) return false;
    if (const auto* x = std::get_if<double>(&value_)) {
        const double y = std::get<double>(other.value_);
        return *x == y || (std::isnan(*x) && std::isnan(y));
    }
    return value_ == other.value_;
}

}  // namespace report
