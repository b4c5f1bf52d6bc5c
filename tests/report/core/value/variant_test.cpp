#include "report/core/value/variant.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/value/date_time.h"
#include "report/core/value/format_settings.h"

namespace report {
namespace {

// Expected outcome of an operation: a value (compared with Identical) or an error type.
enum class Outcome { Value, OperationError, ConversionError, FloatError, DivByZero };

std::string Describe(const Variant& v) {
    std::string text;
    try {
        text = v.ToText();
    } catch (const EngineError&) {
        text = "<no text>";
    }
    return std::string(KindName(v.Kind())) + " " + text;
}

template <typename F>
void ExpectOutcome(F&& run, Outcome outcome, const Variant& expected) {
    switch (outcome) {
        case Outcome::Value: {
            const Variant result = run();
            EXPECT_TRUE(result.Identical(expected))
                << "got " << Describe(result) << ", want " << Describe(expected);
            break;
        }
        case Outcome::OperationError:
            EXPECT_THROW(run(), VariantOperationError);
            break;
        case Outcome::ConversionError:
            EXPECT_THROW(run(), VariantConversionError);
            break;
        case Outcome::FloatError:
            EXPECT_THROW(run(), FloatingPointError);
            break;
        case Outcome::DivByZero:
            EXPECT_THROW(run(), DivisionByZeroError);
            break;
    }
}

enum class Op { Add, Sub, Mul, Div, Mod };
const char* const kOpNames[] = {"+", "-", "*", "/", "MOD"};

Variant Apply(Op op, const Variant& a, const Variant& b) {
    switch (op) {
        case Op::Add:
            return a + b;
        case Op::Sub:
            return a - b;
        case Op::Mul:
            return a * b;
        case Op::Div:
            return a / b;
        case Op::Mod:
            return Mod(a, b);
    }
    return {};
}

class VariantTest : public ::testing::Test {
  protected:
    ScopedFormats french_{FormatSettings::French()};
};

// The table of operand classes as the design gives it: row = left class, column = right class.
// 'e' marks the cells that raise "Opération de variant incorrecte".
const char* const kClassTable[9] = {
    // E N I R C S B D L
    "eeeeeeeee",  // E
    "eNNNNNNNN",  // N
    "eNIRCRIDL",  // I
    "eNRRCRRDR",  // R
    "eNCCCCCDC",  // C
    "eNRRCSBDR",  // S
    "eNIRCBBDL",  // B
    "eNDDDDDDD",  // D
    "eNLRCRLDL",  // L
};

// What each rule of the table gives for + - * / MOD, as the design words it. "real": both
// operands as reals (single precision only when both are singles); "datetime if both": a
// date-time when both operands are date-times, else a real. MOD works on integers except in L.
struct RuleResults {
    char rule;
    const char* kinds[5];  // + - * / MOD
};
const RuleResults kRuleResults[] = {
    {'N', {"null", "null", "null", "null", "null"}},
    {'I', {"int32", "int32", "int32", "double", "int32"}},
    {'R', {"real", "real", "real", "real", "int32"}},
    {'C', {"currency", "currency", "currency", "currency", "int32"}},
    {'S', {"string", "real", "real", "real", "int32"}},
    {'B', {"real", "real", "real", "real", "int32"}},
    {'D', {"datetime", "datetime if both", "real", "real", "int32"}},
    {'L', {"int64", "int64", "int64", "double", "int64"}},
};

std::string ExpectedKindName(char rule, Op op, const Variant& a, const Variant& b) {
    std::string kind;
    for (const RuleResults& r : kRuleResults) {
        if (r.rule == rule) kind = r.kinds[static_cast<int>(op)];
    }
    const bool bothSingle = a.Kind() == VariantKind::Single && b.Kind() == VariantKind::Single;
    const bool bothDates = a.Kind() == VariantKind::DateTime && b.Kind() == VariantKind::DateTime;
    if (kind == "real") return bothSingle ? "single" : "double";
    if (kind == "datetime if both") return bothDates ? "datetime" : "double";
    return kind;
}

TEST_F(VariantTest, ClassTableGivesTheRuleOfEveryPair) {
    // Several kinds per class, all non-zero so that every operator has a result.
    const std::vector<std::vector<Variant>> samples = {
        {Variant()},
        {Variant::Null()},
        {Variant::Int8(6), Variant::Int16(-6), Variant::Int32(7), Variant::UInt8(200)},
        {Variant::Double(2.0), Variant::Single(3.0f)},
        {Variant::Currency(3.0)},
        {Variant::String("2"), Variant::String("3,0")},
        {Variant::Boolean(true)},
        {Variant::DateTime(4.0)},
        {Variant::UInt16(5), Variant::UInt32(70000), Variant::Int64(-9)},
    };
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 9; ++column) {
            const char rule = kClassTable[row][column];
            for (const Variant& a : samples[row]) {
                for (const Variant& b : samples[column]) {
                    for (Op op : {Op::Add, Op::Sub, Op::Mul, Op::Div, Op::Mod}) {
                        SCOPED_TRACE(Describe(a) + " " + kOpNames[static_cast<int>(op)] + " " +
                                     Describe(b));
                        if (rule == 'e') {
                            EXPECT_THROW(Apply(op, a, b), VariantOperationError);
                            continue;
                        }
                        const Variant result = Apply(op, a, b);
                        EXPECT_EQ(KindName(result.Kind()), ExpectedKindName(rule, op, a, b));
                    }
                    // Comparison follows the same table: the error cells raise the error.
                    SCOPED_TRACE(Describe(a) + " compared with " + Describe(b));
                    if (rule == 'e')
                        EXPECT_THROW(Compare(a, b), VariantOperationError);
                    else
                        EXPECT_NO_THROW(Compare(a, b));
                }
            }
        }
    }
}

TEST_F(VariantTest, ArithmeticValues) {
    const double november15 = EncodeDate(1998, 11, 15);
    struct Case {
        Variant a;
        Op op;
        Variant b;
        Outcome outcome;
        Variant expected;
    };
    const Case cases[] = {
        // I: integer arithmetic, real division, remainder with the sign of the dividend.
        {Variant::Int32(2), Op::Add, Variant::Int32(3), Outcome::Value, Variant::Int32(5)},
        {Variant::Int8(100), Op::Add, Variant::Int8(100), Outcome::Value, Variant::Int32(200)},
        {Variant::UInt8(3), Op::Sub, Variant::UInt8(5), Outcome::Value, Variant::Int32(-2)},
        {Variant::Int32(7), Op::Div, Variant::Int32(2), Outcome::Value, Variant::Double(3.5)},
        {Variant::Int32(-7), Op::Mod, Variant::Int32(2), Outcome::Value, Variant::Int32(-1)},
        {Variant::Int32(7), Op::Mod, Variant::Int32(-2), Outcome::Value, Variant::Int32(1)},
        {Variant::Int32(5), Op::Add, Variant::Boolean(true), Outcome::Value, Variant::Int32(4)},
        // L: 64 bits.
        {Variant::UInt32(4000000000u), Op::Add, Variant::Int32(1), Outcome::Value,
         Variant::Int64(4000000001)},
        {Variant::Int64(INT64_MIN), Op::Mod, Variant::Int64(-1), Outcome::Value, Variant::Int64(0)},
        {Variant::Int64(10), Op::Mod, Variant::Boolean(true), Outcome::Value, Variant::Int64(0)},
        // R, with strings read as numbers in the locale and MOD on rounded integers.
        {Variant::Double(1.5), Op::Mul, Variant::Int32(3), Outcome::Value, Variant::Double(4.5)},
        {Variant::String("1,5"), Op::Add, Variant::Int32(1), Outcome::Value, Variant::Double(2.5)},
        {Variant::Int64(4), Op::Sub, Variant::String("0,5"), Outcome::Value, Variant::Double(3.5)},
        {Variant::Single(1.5f), Op::Add, Variant::Single(1.0f), Outcome::Value,
         Variant::Single(2.5f)},
        {Variant::Single(1.5f), Op::Add, Variant::Double(1.0), Outcome::Value,
         Variant::Double(2.5)},
        {Variant::Double(7.5), Op::Mod, Variant::Int32(3), Outcome::Value, Variant::Int32(2)},
        {Variant::Double(6.5), Op::Mod, Variant::Double(4.0), Outcome::Value, Variant::Int32(2)},
        {Variant::String("abc"), Op::Add, Variant::Int32(1), Outcome::ConversionError, {}},
        {Variant::String("1.5"), Op::Add, Variant::Int32(1), Outcome::ConversionError, {}},
        // S: + joins, the rest reads both as numbers.
        {Variant::String("a"), Op::Add, Variant::String("b"), Outcome::Value,
         Variant::String("ab")},
        {Variant::String(""), Op::Add, Variant::String(""), Outcome::Value, Variant::String("")},
        {Variant::String("6"), Op::Sub, Variant::String("2"), Outcome::Value, Variant::Double(4)},
        {Variant::String("a"), Op::Sub, Variant::String("b"), Outcome::ConversionError, {}},
        // B: reals with true = -1; strings as numbers or True/False.
        {Variant::Boolean(true), Op::Add, Variant::Boolean(true), Outcome::Value,
         Variant::Double(-2)},
        {Variant::String("True"), Op::Add, Variant::Boolean(false), Outcome::Value,
         Variant::Double(-1)},
        {Variant::Boolean(true), Op::Add, Variant::String("2"), Outcome::Value, Variant::Double(1)},
        {Variant::Boolean(true), Op::Add, Variant::String("oui"), Outcome::ConversionError, {}},
        {Variant::Boolean(true), Op::Mod, Variant::Boolean(true), Outcome::Value,
         Variant::Int32(0)},
        // C: exact scaled arithmetic, results rounded half to even.
        {Variant::Currency(1.5), Op::Mul, Variant::Currency(2.25), Outcome::Value,
         Variant::CurrencyFromScaled(33750)},
        {Variant::Currency(1), Op::Div, Variant::Currency(3), Outcome::Value,
         Variant::CurrencyFromScaled(3333)},
        {Variant::Currency(2), Op::Div, Variant::Currency(3), Outcome::Value,
         Variant::CurrencyFromScaled(6667)},
        {Variant::CurrencyFromScaled(1), Op::Mul, Variant::Currency(0.5), Outcome::Value,
         Variant::CurrencyFromScaled(0)},
        {Variant::CurrencyFromScaled(3), Op::Mul, Variant::Currency(0.5), Outcome::Value,
         Variant::CurrencyFromScaled(2)},
        {Variant::Currency(1), Op::Add, Variant::Int32(2), Outcome::Value, Variant::Currency(3)},
        {Variant::Currency(1), Op::Add, Variant::String("0,5"), Outcome::Value,
         Variant::Currency(1.5)},
        {Variant::Double(0.1), Op::Add, Variant::Currency(0.2), Outcome::Value,
         Variant::Currency(0.3)},
        {Variant::Currency(7.5), Op::Mod, Variant::Int32(3), Outcome::Value, Variant::Int32(2)},
        {Variant::Currency(1), Op::Div, Variant::Int32(0), Outcome::FloatError, {}},
        {Variant::CurrencyFromScaled(INT64_MAX),
         Op::Add,
         Variant::Currency(1),
         Outcome::FloatError,
         {}},
        {Variant::CurrencyFromScaled(INT64_MAX),
         Op::Mul,
         Variant::Int32(2),
         Outcome::FloatError,
         {}},
        {Variant::Currency(1), Op::Add, Variant::Double(1e300), Outcome::ConversionError, {}},
        // D: + gives a date-time, - only between two date-times.
        {Variant::DateTime(36000), Op::Add, Variant::Int32(1), Outcome::Value,
         Variant::DateTime(36001)},
        {Variant::Double(0.5), Op::Add, Variant::DateTime(36000), Outcome::Value,
         Variant::DateTime(36000.5)},
        {Variant::DateTime(36001), Op::Sub, Variant::DateTime(36000), Outcome::Value,
         Variant::DateTime(1)},
        {Variant::DateTime(36001), Op::Sub, Variant::Int32(1), Outcome::Value,
         Variant::Double(36000)},
        {Variant::Int32(1), Op::Sub, Variant::DateTime(2), Outcome::Value, Variant::Double(-1)},
        {Variant::DateTime(2), Op::Mul, Variant::Int32(3), Outcome::Value, Variant::Double(6)},
        {Variant::DateTime(0.5), Op::Add, Variant::String("15/11/1998"), Outcome::Value,
         Variant::DateTime(november15 + 0.5)},
        {Variant::DateTime(0.5), Op::Add, Variant::String("demain"), Outcome::ConversionError, {}},
        // N and E.
        {Variant::Null(), Op::Add, Variant::Int32(1), Outcome::Value, Variant::Null()},
        {Variant::String("x"), Op::Mod, Variant::Null(), Outcome::Value, Variant::Null()},
        {Variant::Null(), Op::Div, Variant::Null(), Outcome::Value, Variant::Null()},
        {Variant(), Op::Add, Variant::Int32(1), Outcome::OperationError, {}},
        {Variant::Null(), Op::Add, Variant(), Outcome::OperationError, {}},
        // Floating-point failures and division by zero.
        {Variant::Double(0), Op::Div, Variant::Double(0), Outcome::FloatError, {}},
        {Variant::Int32(0), Op::Div, Variant::Int32(0), Outcome::FloatError, {}},
        {Variant::Int32(1), Op::Div, Variant::Int32(0), Outcome::FloatError, {}},
        {Variant::Double(1e308), Op::Mul, Variant::Double(10), Outcome::FloatError, {}},
        {Variant::Single(3e38f), Op::Mul, Variant::Single(10.0f), Outcome::FloatError, {}},
        {Variant::Double(NAN), Op::Add, Variant::Int32(1), Outcome::FloatError, {}},
        {Variant::Int32(5), Op::Mod, Variant::Int32(0), Outcome::DivByZero, {}},
        {Variant::Int64(5), Op::Mod, Variant::UInt16(0), Outcome::DivByZero, {}},
        {Variant::Double(5), Op::Mod, Variant::Double(0.2), Outcome::DivByZero, {}},
        {Variant::Double(1e30), Op::Mod, Variant::Int32(3), Outcome::ConversionError, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.a) + " " + kOpNames[static_cast<int>(c.op)] + " " + Describe(c.b));
        ExpectOutcome([&] { return Apply(c.op, c.a, c.b); }, c.outcome, c.expected);
    }
}

TEST_F(VariantTest, IntegerOverflowWidensInsteadOfWrapping) {
    struct Case {
        Variant a;
        Op op;
        Variant b;
        Variant expected;
    };
    const Case cases[] = {
        // 32-bit kinds widen to int64.
        {Variant::Int32(INT32_MAX), Op::Add, Variant::Int32(1), Variant::Int64(2147483648LL)},
        {Variant::Int32(INT32_MIN), Op::Sub, Variant::Int32(1), Variant::Int64(-2147483649LL)},
        {Variant::Int32(INT32_MIN), Op::Mul, Variant::Int32(-1), Variant::Int64(2147483648LL)},
        {Variant::Int32(INT32_MIN), Op::Mod, Variant::Int32(-1), Variant::Int32(0)},
        {Variant::Int32(65536), Op::Mul, Variant::Int32(65536), Variant::Int64(4294967296LL)},
        // 64-bit kinds go over to reals.
        {Variant::Int64(INT64_MAX), Op::Add, Variant::Int64(1),
         Variant::Double(9223372036854775808.0)},
        {Variant::Int64(INT64_MIN), Op::Sub, Variant::Int32(1),
         Variant::Double(-9223372036854775808.0)},
        {Variant::UInt32(4000000000u), Op::Mul, Variant::UInt32(4000000000u),
         Variant::Double(1.6e19)},
        {Variant::Int64(INT64_MIN), Op::Mul, Variant::Boolean(true),
         Variant::Double(9223372036854775808.0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.a) + " " + kOpNames[static_cast<int>(c.op)] + " " + Describe(c.b));
        ExpectOutcome([&] { return Apply(c.op, c.a, c.b); }, Outcome::Value, c.expected);
    }
}

TEST_F(VariantTest, NegationKeepsTheKindWhenItCan) {
    struct Case {
        Variant a;
        Outcome outcome;
        Variant expected;
    };
    const Case cases[] = {
        {Variant::Int8(5), Outcome::Value, Variant::Int8(-5)},
        {Variant::Int8(-128), Outcome::Value, Variant::Int32(128)},
        {Variant::Int16(-32768), Outcome::Value, Variant::Int32(32768)},
        {Variant::Int32(INT32_MIN), Outcome::Value, Variant::Int64(2147483648LL)},
        {Variant::UInt8(0), Outcome::Value, Variant::UInt8(0)},
        {Variant::UInt8(3), Outcome::Value, Variant::Int32(-3)},
        {Variant::UInt32(7), Outcome::Value, Variant::Int64(-7)},
        {Variant::Int64(INT64_MIN), Outcome::Value, Variant::Double(9223372036854775808.0)},
        {Variant::Single(1.5f), Outcome::Value, Variant::Single(-1.5f)},
        {Variant::Double(1.5), Outcome::Value, Variant::Double(-1.5)},
        {Variant::DateTime(2), Outcome::Value, Variant::DateTime(-2)},
        {Variant::Currency(1.5), Outcome::Value, Variant::Currency(-1.5)},
        {Variant::CurrencyFromScaled(INT64_MIN), Outcome::FloatError, {}},
        {Variant::String("2"), Outcome::Value, Variant::Double(-2)},
        {Variant::String("x"), Outcome::ConversionError, {}},
        {Variant::Boolean(true), Outcome::Value, Variant::Boolean(true)},
        {Variant::Null(), Outcome::Value, Variant::Null()},
        {Variant(), Outcome::OperationError, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.a));
        ExpectOutcome([&] { return -c.a; }, c.outcome, c.expected);
    }
}

TEST_F(VariantTest, ComparisonAcrossKinds) {
    struct Case {
        Variant a;
        Variant b;
        int order;  // the sign of Compare(a, b)
    };
    const Case cases[] = {
        // Null is below everything and equal to Null.
        {Variant::Null(), Variant::Null(), 0},
        {Variant::Null(), Variant::Int32(INT32_MIN), -1},
        {Variant::Int32(0), Variant::Null(), 1},
        {Variant::Null(), Variant::String(""), -1},
        {Variant::Null(), Variant::Boolean(false), -1},
        {Variant::DateTime(-5), Variant::Null(), 1},
        // Integers exactly, booleans as -1 / 0.
        {Variant::Int64(INT64_MAX), Variant::Int64(INT64_MAX - 1), 1},
        {Variant::UInt32(4000000000u), Variant::Int32(5), 1},
        {Variant::Int32(-1), Variant::Boolean(true), 0},
        {Variant::Int8(0), Variant::Boolean(true), 1},
        // Reals; strings read as numbers beside numbers.
        {Variant::Double(2.5), Variant::Int32(2), 1},
        {Variant::Single(0.5f), Variant::Double(0.5), 0},
        {Variant::String("10"), Variant::Int32(9), 1},
        {Variant::Int64(3), Variant::String("2,5"), 1},
        // Currency, also beside a real beyond its range (the MIN aggregate starts at 1e300).
        {Variant::Currency(1.5), Variant::Double(1.5), 0},
        {Variant::Currency(1.5), Variant::Int32(2), -1},
        {Variant::Currency(1), Variant::Double(1e300), -1},
        {Variant::Double(-1e300), Variant::Currency(-1), -1},
        // Dates as reals; strings beside dates read as dates.
        {Variant::DateTime(1.5), Variant::Int32(1), 1},
        {Variant::DateTime(EncodeDate(1998, 11, 15)), Variant::String("15/11/1998"), 0},
        // Strings byte by byte, case-sensitive; Windows-1252 letters above ASCII.
        {Variant::String("abc"), Variant::String("abd"), -1},
        {Variant::String("a"), Variant::String("B"), 1},
        {Variant::String("A"), Variant::String("a"), -1},
        {Variant::String("10"), Variant::String("9"), -1},
        {Variant::String("\xE9"), Variant::String("z"), 1},
        {Variant::String("ab"), Variant::String("abc"), -1},
        {Variant::String(""), Variant::String(""), 0},
        // Booleans: false below true; strings beside booleans read as booleans.
        {Variant::Boolean(false), Variant::Boolean(true), -1},
        {Variant::Boolean(true), Variant::Boolean(true), 0},
        {Variant::String("True"), Variant::Boolean(true), 0},
        {Variant::Boolean(false), Variant::String("1"), -1},
    };
    auto sign = [](int x) { return (x > 0) - (x < 0); };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.a) + " vs " + Describe(c.b));
        EXPECT_EQ(sign(Compare(c.a, c.b)), c.order);
        EXPECT_EQ(sign(Compare(c.b, c.a)), -c.order);
        EXPECT_EQ(c.a == c.b, c.order == 0);
        EXPECT_EQ(c.a < c.b, c.order < 0);
        EXPECT_EQ(c.a <= c.b, c.order <= 0);
        EXPECT_EQ(c.a > c.b, c.order > 0);
        EXPECT_EQ(c.a >= c.b, c.order >= 0);
    }

    // Failures.
    EXPECT_THROW(Compare(Variant(), Variant::Int32(0)), VariantOperationError);
    EXPECT_THROW(Compare(Variant::Null(), Variant()), VariantOperationError);
    EXPECT_THROW(Compare(Variant::String("abc"), Variant::Int32(0)), VariantConversionError);
    EXPECT_THROW(Compare(Variant::String("oui"), Variant::Boolean(true)), VariantConversionError);
}

TEST_F(VariantTest, TextForms) {
    const double november15 = EncodeDate(1998, 11, 15);
    struct Case {
        Variant value;
        const char* text;
    };
    const Case cases[] = {
        {Variant(), ""},
        {Variant::String("caf\xE9 "), "caf\xE9 "},
        {Variant::Int8(-8), "-8"},
        {Variant::UInt8(255), "255"},
        {Variant::Int32(-42), "-42"},
        {Variant::UInt32(4000000000u), "4000000000"},
        {Variant::Int64(INT64_MIN), "-9223372036854775808"},
        {Variant::Double(1.5), "1,5"},
        {Variant::Double(3), "3"},
        {Variant::Double(-0.25), "-0,25"},
        {Variant::Double(1.0 / 3), "0,333333333333333"},
        {Variant::Double(1e20), "1E20"},
        {Variant::Single(0.1f), "0,1"},
        {Variant::Single(2.5f), "2,5"},
        {Variant::Currency(12.5), "12,5"},
        {Variant::CurrencyFromScaled(-1), "-0,0001"},
        {Variant::Boolean(true), "True"},
        {Variant::Boolean(false), "False"},
        {Variant::DateTime(november15), "15/11/1998"},
        {Variant::DateTime(november15 + EncodeTime(10, 30, 0, 0)), "15/11/1998 10:30:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.value.ToText(), c.text);
    }
    EXPECT_THROW(Variant::Null().ToText(), VariantConversionError);
}

TEST_F(VariantTest, ConversionsToNumbers) {
    // ToReal: strings only when they are numbers in the locale, never dates.
    struct RealCase {
        Variant value;
        Outcome outcome;
        double expected;
    };
    const RealCase reals[] = {
        {Variant(), Outcome::Value, 0},
        {Variant::String("1,5"), Outcome::Value, 1.5},
        {Variant::String(" -2,5E2 "), Outcome::Value, -250},
        {Variant::Boolean(true), Outcome::Value, -1},
        {Variant::Currency(2.5), Outcome::Value, 2.5},
        {Variant::DateTime(36000.25), Outcome::Value, 36000.25},
        {Variant::UInt32(4000000000u), Outcome::Value, 4e9},
        {Variant::String("1.5"), Outcome::ConversionError, 0},
        {Variant::String("15/11/1998"), Outcome::ConversionError, 0},
        {Variant::String(""), Outcome::ConversionError, 0},
        {Variant::Null(), Outcome::ConversionError, 0},
    };
    for (const RealCase& c : reals) {
        SCOPED_TRACE("ToReal " + Describe(c.value));
        if (c.outcome == Outcome::Value)
            EXPECT_EQ(c.value.ToReal(), c.expected);
        else
            EXPECT_THROW(c.value.ToReal(), VariantConversionError);
    }

    // ToInt / ToInt64: reals rounded half to even, range checked.
    struct IntCase {
        Variant value;
        bool fits32;
        bool fits64;
        int64_t expected;
    };
    const IntCase integers[] = {
        {Variant(), true, true, 0},
        {Variant::Double(2.5), true, true, 2},
        {Variant::Double(3.5), true, true, 4},
        {Variant::Double(-2.5), true, true, -2},
        {Variant::Currency(2.5), true, true, 2},
        {Variant::Currency(3.5), true, true, 4},
        {Variant::CurrencyFromScaled(-25000), true, true, -2},
        {Variant::Boolean(true), true, true, -1},
        {Variant::String("$FF"), true, true, 255},
        {Variant::String(" 12 "), true, true, 12},
        {Variant::String("2,5"), true, true, 2},
        {Variant::DateTime(36000.75), true, true, 36001},
        {Variant::Double(3e9), false, true, 3000000000LL},
        {Variant::Int64(-3000000000LL), false, true, -3000000000LL},
        {Variant::String("9223372036854775807"), false, true, INT64_MAX},
        {Variant::Double(1e19), false, false, 0},
        {Variant::Double(NAN), false, false, 0},
        {Variant::String("x"), false, false, 0},
        {Variant::Null(), false, false, 0},
    };
    for (const IntCase& c : integers) {
        SCOPED_TRACE("ToInt " + Describe(c.value));
        if (c.fits32)
            EXPECT_EQ(c.value.ToInt(), c.expected);
        else
            EXPECT_THROW(c.value.ToInt(), VariantConversionError);
        if (c.fits64)
            EXPECT_EQ(c.value.ToInt64(), c.expected);
        else
            EXPECT_THROW(c.value.ToInt64(), VariantConversionError);
    }

    // ToCurrencyScaled: ten-thousandths, rounded half to even.
    struct CurrencyCase {
        Variant value;
        Outcome outcome;
        int64_t expected;
    };
    const CurrencyCase currencies[] = {
        {Variant::Double(1.23456), Outcome::Value, 12346},
        {Variant::Double(-1.23456), Outcome::Value, -12346},
        {Variant::Int32(-3), Outcome::Value, -30000},
        {Variant::Boolean(true), Outcome::Value, -10000},
        {Variant::String("2,5"), Outcome::Value, 25000},
        {Variant(), Outcome::Value, 0},
        {Variant::Double(1e300), Outcome::ConversionError, 0},
        {Variant::Int64(INT64_MAX), Outcome::ConversionError, 0},
        {Variant::String("deux"), Outcome::ConversionError, 0},
        {Variant::Null(), Outcome::ConversionError, 0},
    };
    for (const CurrencyCase& c : currencies) {
        SCOPED_TRACE("ToCurrencyScaled " + Describe(c.value));
        if (c.outcome == Outcome::Value)
            EXPECT_EQ(c.value.ToCurrencyScaled(), c.expected);
        else
            EXPECT_THROW(c.value.ToCurrencyScaled(), VariantConversionError);
    }
    EXPECT_THROW(Variant::Currency(1e300), VariantConversionError);
    EXPECT_THROW(Variant::Currency(NAN), VariantConversionError);
}

TEST_F(VariantTest, ConversionsToBooleanAndDate) {
    struct BoolCase {
        Variant value;
        Outcome outcome;
        bool expected;
    };
    const BoolCase booleans[] = {
        {Variant(), Outcome::Value, false},
        {Variant::String("true"), Outcome::Value, true},
        {Variant::String("FALSE"), Outcome::Value, false},
        {Variant::String("0"), Outcome::Value, false},
        {Variant::String("2,5"), Outcome::Value, true},
        {Variant::Double(0.0), Outcome::Value, false},
        {Variant::CurrencyFromScaled(1), Outcome::Value, true},
        {Variant::Int64(-1), Outcome::Value, true},
        {Variant::String("oui"), Outcome::ConversionError, false},
        {Variant::Null(), Outcome::ConversionError, false},
    };
    for (const BoolCase& c : booleans) {
        SCOPED_TRACE("ToBool " + Describe(c.value));
        if (c.outcome == Outcome::Value)
            EXPECT_EQ(c.value.ToBool(), c.expected);
        else
            EXPECT_THROW(c.value.ToBool(), VariantConversionError);
    }

    const double november15 = EncodeDate(1998, 11, 15);
    EXPECT_EQ(Variant::String("15/11/1998").ToDateTime(), november15);
    EXPECT_EQ(Variant::String("15/11/1998 12:00:00").ToDateTime(), november15 + 0.5);
    EXPECT_EQ(Variant::String("36000,5").ToDateTime(), 36000.5);
    EXPECT_EQ(Variant::Int32(2).ToDateTime(), 2.0);
    EXPECT_EQ(Variant().ToDateTime(), 0.0);
    EXPECT_THROW(Variant::String("demain").ToDateTime(), VariantConversionError);
    EXPECT_THROW(Variant::Null().ToDateTime(), VariantConversionError);
}

TEST_F(VariantTest, RawAccessChecksTheKind) {
    EXPECT_EQ(Variant::String("x").StringValue(), "x");
    EXPECT_EQ(Variant::Boolean(true).IntegerValue(), -1);
    EXPECT_EQ(Variant::UInt32(4000000000u).IntegerValue(), 4000000000LL);
    EXPECT_EQ(Variant::DateTime(2.5).RealValue(), 2.5);
    EXPECT_EQ(Variant::Single(0.5f).RealValue(), 0.5);
    EXPECT_EQ(Variant::Currency(1.25).CurrencyScaled(), 12500);
    EXPECT_THROW(Variant::Int32(1).StringValue(), VariantConversionError);
    EXPECT_THROW(Variant::Currency(1).IntegerValue(), VariantConversionError);
    EXPECT_THROW(Variant::Int32(1).RealValue(), VariantConversionError);
    EXPECT_THROW(Variant::Double(1).CurrencyScaled(), VariantConversionError);
    EXPECT_THROW(Variant().StringValue(), VariantConversionError);

    for (const Variant& v : {Variant::Int8(1), Variant::UInt16(1), Variant::Single(1),
                             Variant::Currency(1), Variant::Int64(1)})
        EXPECT_TRUE(v.IsNumeric()) << Describe(v);
    for (const Variant& v : {Variant(), Variant::Null(), Variant::String("1"),
                             Variant::Boolean(true), Variant::DateTime(1)})
        EXPECT_FALSE(v.IsNumeric()) << Describe(v);

    // Identical: same kind and same stored value, no conversion.
    EXPECT_TRUE(Variant::Int32(1).Identical(Variant::Int32(1)));
    EXPECT_FALSE(Variant::Int32(1).Identical(Variant::Int64(1)));
    EXPECT_FALSE(Variant::Double(1).Identical(Variant::DateTime(1)));
    EXPECT_TRUE(Variant::Double(NAN).Identical(Variant::Double(NAN)));
    EXPECT_TRUE(Variant().Identical(Variant()));
    EXPECT_FALSE(Variant().Identical(Variant::Null()));
}

TEST_F(VariantTest, KindNamesAndMessages) {
    const std::pair<Variant, const char*> kinds[] = {
        {Variant(), "empty"},
        {Variant::Null(), "null"},
        {Variant::Int8(0), "int8"},
        {Variant::UInt8(0), "uint8"},
        {Variant::Int16(0), "int16"},
        {Variant::Int32(0), "int32"},
        {Variant::UInt16(0), "uint16"},
        {Variant::UInt32(0), "uint32"},
        {Variant::Int64(0), "int64"},
        {Variant::Single(0), "single"},
        {Variant::Double(0), "double"},
        {Variant::Currency(0), "currency"},
        {Variant::String(""), "string"},
        {Variant::Boolean(false), "boolean"},
        {Variant::DateTime(0), "datetime"},
    };
    for (const auto& [value, name] : kinds)
        EXPECT_EQ(KindName(value.Kind()), name);

    using ::testing::ThrowsMessage;
    EXPECT_THAT(
        [] { (void)(Variant() + Variant()); },
        ThrowsMessage<VariantOperationError>(Utf8ToCp1252("Opération de variant incorrecte")));
    EXPECT_THAT([] { (void)Variant::String("x").ToReal(); },
                ThrowsMessage<VariantConversionError>(
                    Utf8ToCp1252("Conversion de type variant incorrecte")));
    EXPECT_THAT([] { (void)(Variant::Double(0) / Variant::Double(0)); },
                ThrowsMessage<FloatingPointError>(
                    Utf8ToCp1252("Opération en virgule flottante incorrecte")));
    EXPECT_THAT([] { (void)Mod(Variant::Int32(1), Variant::Int32(0)); },
                ThrowsMessage<DivisionByZeroError>(Utf8ToCp1252("Division par zéro")));
}

// The date function edge case: a string argument is read as a real only when it is a number.
TEST_F(VariantTest, DateTextIsNotARealNumber) {
    EXPECT_THROW(Variant::String("15/11/1998").ToReal(), VariantConversionError);
    EXPECT_EQ(Variant::DateTime(EncodeDate(1998, 11, 15)).ToReal(), EncodeDate(1998, 11, 15));
}

}  // namespace
}  // namespace report
