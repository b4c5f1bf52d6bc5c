#include "report/core/value/number_format.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "report/core/base/errors.h"
#include "report/core/value/format_settings.h"

namespace report {
namespace {

// Windows-1252 pieces used below: \xA0 no-break space (thousands), \xE9 é, \xE8 è.
#define NBSP "\xA0"

class NumberFormatTest : public ::testing::Test {
  protected:
    ScopedFormats french_{FormatSettings::French()};
};

struct PatternCase {
    const char* pattern;
    double value;
    const char* expected;
};

TEST_F(NumberFormatTest, FormatFloatPatterns) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<PatternCase> cases = {
        // Digits, grouping, decimals.
        {"#,##0.00", 1234.5, "1" NBSP "234,50"},
        {"#,##0.00", -1234567.891, "-1" NBSP "234" NBSP "567,89"},
        {"#,##0", 999.5, "1" NBSP "000"},
        {"#,##0.00", 0.5, "0,50"},
        {"0.00", 1234.5, "1234,50"},
        {"000", 7, "007"},
        {"#", 0, ""},
        {"#.##", 0.5, ",5"},
        {"0.##", 5, "5"},
        {"0.0#", 1.5, "1,5"},
        {"0.0#", 1.256, "1,26"},
        {"##0.", 5, "5"},
        {"##0.##", 1234.5, "1234,5"},
        {"0.00", 1e17, "100000000000000000,00"},
        // The display formats' number patterns with two decimals.
        {"##0.##", 1234.567, "1234,57"},
        {"#,##0.##", 1234.567, "1" NBSP "234,57"},
        {"##0.", 1234.567, "1235"},
        // Rounding: half away from zero on the exact decimal expansion of the double.
        {"0.00", 2.675, "2,67"},  // 2.67499999999999982236431605997495353221893310546875
        {"0.00", 0.125, "0,13"},  // exact tie
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0", 0.49999999999999994, "0"},
        {"0.0", 9.96, "10,0"},
        {"0.000", -1e-10, "0,000"},  // no minus on a printed zero
        // Sections.
        {"0;(0);z\xE9ro", 5, "5"},
        {"0;(0);z\xE9ro", -5, "(5)"},
        {"0;(0);z\xE9ro", 0, "z\xE9ro"},
        {"0;(0);z\xE9ro", -0.4, "z\xE9ro"},  // rounds to zero
        {"0;(0)", -0.4, "0"},
        {"0.00;;'nul'", -1.5, "-1,50"},
        {"0.00;;'nul'", 0, "nul"},
        {"0;(0);", 0, "0"},
        {";(0)", 5, "5"},
        {";(0)", -5, "(5)"},
        {"0;(0);z\xE9ro;extra", -2, "(2)"},
        {"'a;b' 0;'neg'0", -3, "neg3"},
        // Literal text, placed where written; the sign goes before the first digit.
        {"'Total : '0", 12, "Total : 12"},
        {"'Total : '0", -12, "Total : -12"},
        {"\"x\"0", 3, "x3"},
        {"0 km", 5, "5 km"},
        {"0%", 5, "5%"},
        {"00-00", 1234, "12-34"},
        {"00-00", 123456, "1234-56"},
        {"00-00", 5, "00-05"},
        {"0'abc", 5, "5abc"},  // unclosed quote runs to the end
        {"0'", 5, "5"},
        {"E0", 5, "E5"},
        // Exponent.
        {"0.00E+00", 1234.5, "1,23E+03"},
        {"0.00E+00", 0.000123, "1,23E-04"},
        {"0.00E-00", 1234.5, "1,23E03"},
        {"0.0E-0", 12345, "1,2E4"},
        {"0.0E+00", 9.99, "1,0E+01"},
        {"0E+0", 0, "0E+0"},
        {"0.00E+00", -1234.5, "-1,23E+03"},
        {"00.0E+0", 1234.5, "12,3E+2"},
        {"0.00E+00", 1e300, "1,00E+300"},
        // Fallbacks and values without digits.
        {"", 1.5, "1,5"},
        {";", -1.5, "-1,5"},
        {"0.00", 1e300, "1E300"},
        {"0.00", -1e20, "-1E20"},
        {"0.00", std::nan(""), "NAN"},
        {"0.00", inf, "INF"},
        {"0.00", -inf, "-INF"},
        {"abc", 5, "abc"},
        {"''''", 5, ""},
        {",", 1234, ""},
        {".", 0.5, ""},
    };
    for (const PatternCase& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " / " + std::to_string(c.value));
        EXPECT_EQ(FormatFloat(c.pattern, c.value), c.expected);
    }
}

TEST_F(NumberFormatTest, FormatFloatFollowsTheDecimalSeparatorOfTheSettings) {
    FormatSettings dotted = FormatSettings::French();
    dotted.decimalSeparator = '.';
    ScopedFormats scoped(dotted);
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1" NBSP "234.50");
    EXPECT_EQ(FloatToStr(1.5), "1.5");
}

TEST_F(NumberFormatTest, FormatFloatSurvivesOddPatterns) {
    // Whatever the pattern, a result comes back quickly.
    const std::vector<std::string> patterns = {"",
                                               ";;;",
                                               "'",
                                               "\"",
                                               "E+",
                                               "0E+",
                                               "E-0",
                                               ".E+0",
                                               "0.0.0",
                                               ",,,",
                                               "#,#,#.#,#",
                                               std::string(1000, '0'),
                                               std::string(300, '#') + "." + std::string(300, '0'),
                                               "0;",
                                               "0;;",
                                               "\"0;\"0;'",
                                               "0E+0000000000"};
    const std::vector<double> values = {0,      -0.0,   1,      -1,           0.5,       1e300,
                                        -1e300, 1e-300, 5e-324, std::nan(""), 123456.789};
    for (const std::string& pattern : patterns) {
        for (double value : values) {
            SCOPED_TRACE(pattern + " / " + std::to_string(value));
            EXPECT_NO_THROW(FormatFloat(pattern, value));
        }
    }
    EXPECT_EQ(FormatFloat(std::string(20, '0'), 42), "00000000000000000042");

    // Generated patterns and texts from the characters that mean something.
    std::mt19937 random(1998);
    const std::string alphabet = "0#.,;Ee+-'\"x 9$";
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 12);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % alphabet.size()];
        SCOPED_TRACE(text);
        for (double value : values)
            EXPECT_NO_THROW(FormatFloat(text, value));
        double real = 0;
        int64_t integer = 0;
        TryStrToFloat(text, real);
        TryStrToInt64(text, integer);
    }
}

struct GeneralCase {
    double value;
    const char* expected;
};

TEST_F(NumberFormatTest, FloatToStrUsesTheGeneralFormat) {
    const std::vector<GeneralCase> cases = {
        {0, "0"},
        {-0.0, "0"},
        {1.5, "1,5"},
        {100, "100"},
        {-1234.5, "-1234,5"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3, "0,333333333333333"},
        {2.0 / 3, "0,666666666666667"},
        {1e14, "100000000000000"},
        {1e15, "1E15"},
        {999999999999999.9, "1E15"},
        {123456789012345678.0, "1,23456789012346E17"},
        {1e20, "1E20"},
        {1.5e-10, "1,5E-10"},
        {0.0001, "0,0001"},
        {0.00001, "1E-5"},
        {-0.000015, "-1,5E-5"},
        {1e300, "1E300"},
        {5e-324, "4,94065645841247E-324"},
        {std::nan(""), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
    };
    for (const GeneralCase& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FloatToStr(c.value), c.expected);
    }
}

struct FixedCase {
    double value;
    int decimals;
    int precision;
    const char* fixed;
    const char* grouped;
};

TEST_F(NumberFormatTest, FixedAndGroupedNotation) {
    const std::vector<FixedCase> cases = {
        {1234.5, 2, 15, "1234,50", "1" NBSP "234,50"},
        {1234567.891, 2, 15, "1234567,89", "1" NBSP "234" NBSP "567,89"},
        {-1234.5, 1, 15, "-1234,5", "-1" NBSP "234,5"},
        {999.999, 2, 15, "1000,00", "1" NBSP "000,00"},
        {123.456, 0, 15, "123", "123"},
        {0.5, 0, 15, "1", "1"},
        {2.675, 2, 15, "2,67", "2,67"},
        {0.125, 2, 15, "0,13", "0,13"},
        {-0.001, 2, 15, "0,00", "0,00"},
        {0, 3, 15, "0,000", "0,000"},
        {1.23456789, 10, 5, "1,2346000000", "1,2346000000"},  // 5 significant digits
        {123456.7, 2, 4, "1,235E5", "1,235E5"},               // needs more than 4 digits
        {1e20, 2, 15, "1E20", "1E20"},
        {1.5, 40, 15, "1,500000000000000000", "1,500000000000000000"},  // at most 18
        {1.5, -3, 15, "2", "2"},
        {std::nan(""), 2, 15, "NAN", "NAN"},
    };
    for (const FixedCase& c : cases) {
        SCOPED_TRACE(c.fixed);
        EXPECT_EQ(FloatToStrFixed(c.value, c.decimals, c.precision), c.fixed);
        EXPECT_EQ(FloatToStrNumber(c.value, c.decimals, c.precision), c.grouped);
    }
}

TEST_F(NumberFormatTest, CurrencyText) {
    EXPECT_EQ(CurrencyToStr(125000), "12,5");
    EXPECT_EQ(CurrencyToStr(0), "0");
    EXPECT_EQ(CurrencyToStr(-1), "-0,0001");
    EXPECT_EQ(CurrencyToStr(10000), "1");
    EXPECT_EQ(CurrencyToStr(INT64_MIN), "-922337203685477,5808");
    EXPECT_EQ(CurrencyToStr(INT64_MAX), "922337203685477,5807");
}

struct IntegerCase {
    const char* text;
    int64_t value;
};

TEST_F(NumberFormatTest, IntegerParsing) {
    const std::vector<IntegerCase> good32 = {
        {"42", 42},
        {" -17 ", -17},
        {"+8", 8},
        {"007", 7},
        {"$FF", 255},
        {"0x1A", 26},
        {"0X1a", 26},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"\t12\r\n", 12},
    };
    for (const IntegerCase& c : good32) {
        SCOPED_TRACE(c.text);
        int32_t value = 0;
        EXPECT_TRUE(TryStrToInt(c.text, value));
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(StrToInt(c.text), c.value);
    }
    for (const char* bad :
         {"", " ", "abc", "2147483648", "-2147483649", "1,5", "1.5", "$", "0x", "12a", "$1FFFFFFFF",
          "- 5", "1 2", "++1", "$-1", "99999999999999999999"}) {
        SCOPED_TRACE(bad);
        int32_t value = 77;
        EXPECT_FALSE(TryStrToInt(bad, value));
        EXPECT_EQ(value, 77);
        EXPECT_THAT([&] { StrToInt(bad); },
                    ::testing::ThrowsMessage<ConvertError>(std::string("'").append(bad).append(
                        "' n'est pas une valeur enti\xE8re correcte")));
    }
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("$FFFFFFFF"), 0xFFFFFFFFLL);
    EXPECT_THROW(StrToInt64("9223372036854775808"), ConvertError);
    EXPECT_THROW(StrToInt64("$10000000000000000"), ConvertError);
}

struct FloatCase {
    const char* text;
    double value;
};

TEST_F(NumberFormatTest, RealParsing) {
    const std::vector<FloatCase> good = {
        {"1,5", 1.5},        {" -2,25 ", -2.25},
        {"1E3", 1000},       {"1,5e-3", 0.0015},
        {",5", 0.5},         {"5,", 5},
        {"+3", 3},           {"007", 7},
        {"1e+2", 100},       {"1E-400", 0},
        {"0,000E999999", 0}, {"1,7976931348623157E308", 1.7976931348623157e308},
        {"0,1", 0.1},        {"123456789012345678901234567890", 1.2345678901234568e29},
    };
    for (const FloatCase& c : good) {
        SCOPED_TRACE(c.text);
        double value = 0;
        EXPECT_TRUE(TryStrToFloat(c.text, value));
        EXPECT_EQ(value, c.value);
    }
    for (const char* bad : {"1.5", "", "abc", "1,5,6", "1E", "1e+", "E5", "1E400", ",", "-",
                            "1 000", "1,5 x", "nan", "inf", "0x10", "1e5.5"}) {
        SCOPED_TRACE(bad);
        double value = 77;
        EXPECT_FALSE(TryStrToFloat(bad, value));
        EXPECT_EQ(value, 77);
        EXPECT_THAT([&] { StrToFloat(bad); },
                    ::testing::ThrowsMessage<ConvertError>(std::string("'").append(bad).append(
                        "' n'est pas une valeur en virgule flottante correcte")));
    }
}

TEST_F(NumberFormatTest, GeneralTextReadsBack) {
    for (double value : {1.5, -1234.5678, 1e20, 1.5e-10, 0.1, 123456789012345.0, 1e-5}) {
        SCOPED_TRACE(value);
        EXPECT_DOUBLE_EQ(StrToFloat(FloatToStr(value)), value);
    }
}

}  // namespace
}  // namespace report
