#include "report/core/value/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "report/core/base/characters.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/value/format_settings.h"

namespace report {
namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads an integer whose magnitude may not exceed maxMagnitude for decimal text. Hexadecimal
// text may use the whole unsigned width (bits are taken as they are: "$FFFFFFFF" is -1 in 32
// bits), which colour values written in hexadecimal rely on.
bool ParseInteger(std::string_view text, int bits, int64_t& value) {
    text = TrimmedView(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool hex = false;
    if (!text.empty() && text.front() == '$') {
        hex = true;
        text.remove_prefix(1);
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        hex = true;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    const uint64_t unsignedMax = bits == 64 ? UINT64_MAX : (uint64_t{1} << bits) - 1;
    const uint64_t positiveMax = unsignedMax >> 1;
    uint64_t magnitude = 0;
    if (hex) {
        for (char c : text) {
            const int digit = HexDigitValue(c);
            if (digit < 0 || magnitude > (unsignedMax >> 4)) return false;
            magnitude = magnitude << 4 | static_cast<uint64_t>(digit);
        }
        // Two's complement reading of the full width.
        if (bits == 32) {
            magnitude = static_cast<uint64_t>(
                static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(magnitude))));
        }
        const int64_t signedValue = static_cast<int64_t>(magnitude);
        value = negative ? static_cast<int64_t>(0ULL - static_cast<uint64_t>(signedValue))
                         : signedValue;
        return true;
    }
    for (char c : text) {
        if (!IsDigit(c)) return false;
        const auto digit = static_cast<uint64_t>(c - '0');
        if (magnitude > (positiveMax + 1 - digit) / 10) return false;
        magnitude = magnitude * 10 + digit;
    }
    if (magnitude > positiveMax + (negative ? 1 : 0)) return false;
    value = negative ? static_cast<int64_t>(0ULL - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

// The exact decimal expansion of a finite double's magnitude: value = 0.digits x 10^exponent,
// digits without leading or trailing zeros; zero has no digits.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool negative = false;

    bool IsZero() const { return digits.empty(); }
};

void TrimDecimal(Decimal& d) {
    size_t lead = 0;
    while (lead < d.digits.size() && d.digits[lead] == '0')
        ++lead;
    d.digits.erase(0, lead);
    d.exponent -= static_cast<int>(lead);
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty()) d.exponent = 0;
}

Decimal ExactDecimal(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude == 0) return d;
    // Every bit of a double lies at or above 2^(e-53): that many fraction digits are exact.
    int binaryExponent = 0;
    std::frexp(magnitude, &binaryExponent);
    const int fractionDigits = std::max(0, 53 - binaryExponent);
    char buffer[1500];  // at most 309 integer digits or 1127 fraction digits
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::fixed, fractionDigits);
    if (result.ec != std::errc()) return d;  // cannot happen: the buffer fits every double
    const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t point = text.find('.');
    const std::string_view integerPart = text.substr(0, point);
    d.digits.assign(integerPart);
    if (point != std::string_view::npos) d.digits.append(text.substr(point + 1));
    d.exponent = static_cast<int>(integerPart.size());
    TrimDecimal(d);
    return d;
}

// Keeps `keep` significant digits, rounding half away from zero on the exact digits.
void RoundSignificant(Decimal& d, int keep) {
    if (d.IsZero() || keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d.digits.clear();
        d.exponent = 0;
        return;
    }
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') {
            d.digits[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[static_cast<size_t>(i)];
        }
    }
    TrimDecimal(d);
}

// Keeps `decimals` digits after the decimal point, rounding half away from zero.
void RoundDecimals(Decimal& d, int decimals) {
    RoundSignificant(d, d.exponent + decimals);
}

// Digits of the integer part ("" for zero) and of the first `count` fraction digits.
std::string IntegerDigits(const Decimal& d) {
    if (d.exponent <= 0) return {};
    std::string out = d.digits.substr(0, static_cast<size_t>(d.exponent));
    out.resize(static_cast<size_t>(d.exponent), '0');
    return out;
}

std::string FractionDigits(const Decimal& d, int count) {
    std::string out;
    out.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        const int index = d.exponent + i;  // position in digits
        out += index >= 0 && index < static_cast<int>(d.digits.size())
                   ? d.digits[static_cast<size_t>(index)]
                   : '0';
    }
    return out;
}

std::string NonFiniteText(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string GroupThousands(const std::string& digits) {
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        out += digits[i];
        const size_t remaining = digits.size() - 1 - i;
        if (remaining > 0 && remaining % 3 == 0) out += Formats().thousandSeparator;
    }
    return out;
}

std::string GeneralText(double value, int precision) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    Decimal d = ExactDecimal(value);
    RoundSignificant(d, precision);
    if (d.IsZero()) return "0";
    const char separator = Formats().decimalSeparator;
    std::string out;
    if (d.negative) out.push_back('-');
    if (d.exponent > precision || d.exponent < -3) {
        out += d.digits[0];
        if (d.digits.size() > 1) {
            out += separator;
            out.append(d.digits, 1);
        }
        out += 'E';
        out += std::to_string(d.exponent - 1);
        return out;
    }
    if (d.exponent <= 0) {
        out += '0';
        out += separator;
        out.append(static_cast<size_t>(-d.exponent), '0');
        out += d.digits;
        return out;
    }
    out += IntegerDigits(d);
    if (static_cast<int>(d.digits.size()) > d.exponent) {
        out += separator;
        out.append(d.digits, static_cast<size_t>(d.exponent));
    }
    return out;
}

std::string FixedText(double value, int decimals, int precision, bool grouped) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    decimals = std::clamp(decimals, 0, 18);
    precision = std::clamp(precision, 1, 18);
    Decimal d = ExactDecimal(value);
    if (d.exponent > precision) return GeneralText(value, precision);
    RoundSignificant(d, std::min(d.exponent + decimals, precision));
    std::string integer = IntegerDigits(d);
    if (integer.empty()) integer.push_back('0');
    std::string out;
    if (d.negative && !d.IsZero()) out.push_back('-');
    out += grouped ? GroupThousands(integer) : integer;
    if (decimals > 0) {
        out += Formats().decimalSeparator;
        out += FractionDigits(d, decimals);
    }
    return out;
}

// ---- Number patterns ----

// What one section of a number pattern asks for.
struct SectionLayout {
    int integerPlaceholders = 0;
    int minIntegerDigits = 0;
    int fractionPlaceholders = 0;
    int minFractionDigits = 0;
    bool hasPlaceholders = false;
    bool grouping = false;
    bool scientific = false;
    int exponentDigits = 0;
};

bool IsQuote(char c) {
    return c == '\'' || c == '"';
}

bool IsExponentAt(std::string_view section, size_t i) {
    return (section[i] == 'E' || section[i] == 'e') && i + 1 < section.size() &&
           (section[i + 1] == '+' || section[i + 1] == '-');
}

SectionLayout AnalyseSection(std::string_view section) {
    SectionLayout layout;
    bool beforePoint = true;
    bool inExponent = false;
    int firstZero = -1;
    for (size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (IsQuote(c)) {
            const size_t close = section.find(c, i + 1);
            if (close == std::string_view::npos) break;
            i = close;
        } else if (c == '0' || c == '#') {
            if (inExponent) {
                if (c == '0') layout.exponentDigits = std::min(layout.exponentDigits + 1, 4);
                continue;
            }
            layout.hasPlaceholders = true;
            if (beforePoint) {
                if (c == '0' && firstZero < 0) firstZero = layout.integerPlaceholders;
                ++layout.integerPlaceholders;
            } else {
                ++layout.fractionPlaceholders;
                if (c == '0') layout.minFractionDigits = layout.fractionPlaceholders;
            }
        } else if (c == '.' && !inExponent) {
            beforePoint = false;
        } else if (c == ',' && beforePoint && !inExponent) {
            layout.grouping = true;
        } else if (!inExponent && layout.hasPlaceholders && IsExponentAt(section, i)) {
            layout.scientific = true;
            inExponent = true;
            ++i;
        }
    }
    if (firstZero >= 0) layout.minIntegerDigits = layout.integerPlaceholders - firstZero;
    return layout;
}

// The position of the first ';' outside quotes from `start` on, or npos.
size_t FindSectionEnd(std::string_view pattern, size_t start) {
    char quote = 0;
    for (size_t i = start; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (IsQuote(c)) {
            quote = c;
        } else if (c == ';') {
            return i;
        }
    }
    return std::string_view::npos;
}

// Splits on ';' outside quotes; at most three sections, the third ending at the next ';'.
std::vector<std::string_view> SplitSections(std::string_view pattern) {
    std::vector<std::string_view> sections;
    size_t start = 0;
    while (sections.size() < 3) {
        const size_t end = FindSectionEnd(pattern, start);
        if (end == std::string_view::npos) {
            sections.push_back(pattern.substr(start));
            break;
        }
        sections.push_back(pattern.substr(start, end - start));
        start = end + 1;
    }
    return sections;
}

// The digits a section prints for a magnitude, before they are laid into the pattern.
struct SectionDigits {
    std::string integer;   // without grouping
    std::string fraction;  // trailing optional zeros removed
    int exponent = 0;
    bool zero = true;
};

SectionDigits ComputeDigits(const SectionLayout& layout, double magnitude) {
    SectionDigits out;
    Decimal d = ExactDecimal(magnitude);
    if (layout.scientific) {
        const int integerCount = layout.integerPlaceholders;
        RoundSignificant(d, integerCount + layout.fractionPlaceholders);
        out.zero = d.IsZero();
        if (!out.zero) {
            out.exponent = d.exponent - integerCount;
            d.exponent = integerCount;
        }
    } else {
        RoundDecimals(d, layout.fractionPlaceholders);
        out.zero = d.IsZero();
    }
    out.integer = IntegerDigits(d);
    if (static_cast<int>(out.integer.size()) < layout.minIntegerDigits) {
        out.integer.insert(0, static_cast<size_t>(layout.minIntegerDigits) - out.integer.size(),
                           '0');
    }
    out.fraction = FractionDigits(d, layout.fractionPlaceholders);
    while (static_cast<int>(out.fraction.size()) > layout.minFractionDigits &&
           out.fraction.back() == '0') {
        out.fraction.pop_back();
    }
    return out;
}

// Lays the digits into the section: literal text stays where it is written, extra integer
// digits go to the first placeholder, the sign goes just before the first digit.
std::string LayOut(std::string_view section, const SectionLayout& layout,
                   const SectionDigits& digits, bool negative) {
    std::string out;
    bool signPending = negative;
    const auto putSign = [&]() {
        if (signPending) out += '-';
        signPending = false;
    };
    const int integerLength = static_cast<int>(digits.integer.size());
    const int offset = integerLength - layout.integerPlaceholders;
    const auto putIntegerDigit = [&](int index) {
        putSign();
        out += digits.integer[static_cast<size_t>(index)];
        const int remaining = integerLength - 1 - index;
        if (layout.grouping && remaining > 0 && remaining % 3 == 0) {
            out += Formats().thousandSeparator;
        }
    };
    const auto putAllIntegerDigits = [&]() {
        for (int k = 0; k < integerLength; ++k)
            putIntegerDigit(k);
    };
    bool beforePoint = true;
    bool inExponent = false;
    bool integerDone = layout.integerPlaceholders > 0;  // else digits go before the point
    int integerSeen = 0;
    int fractionSeen = 0;
    for (size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (IsQuote(c)) {
            size_t close = section.find(c, i + 1);
            if (close == std::string_view::npos) close = section.size();
            out.append(section.substr(i + 1, close - i - 1));
            i = close;
        } else if (c == '0' || c == '#') {
            if (inExponent || !layout.hasPlaceholders) continue;
            if (beforePoint) {
                const int k = integerSeen++;
                const int first = k == 0 ? 0 : k + offset;
                for (int index = std::max(first, 0); index <= k + offset; ++index) {
                    putIntegerDigit(index);
                }
            } else {
                const int j = fractionSeen++;
                if (j < static_cast<int>(digits.fraction.size())) {
                    putSign();
                    out += digits.fraction[static_cast<size_t>(j)];
                }
            }
        } else if (c == '.' && !inExponent && beforePoint) {
            beforePoint = false;
            if (!integerDone && layout.hasPlaceholders) {
                putAllIntegerDigits();
                integerDone = true;
            }
            if (!digits.fraction.empty()) {
                putSign();
                out += Formats().decimalSeparator;
            }
        } else if (c == '.' || (c == ',' && !inExponent)) {
            // A second point and the grouping marks print nothing.
        } else if (layout.scientific && !inExponent && IsExponentAt(section, i)) {
            if (!integerDone) {
                putAllIntegerDigits();
                integerDone = true;
            }
            inExponent = true;
            out += c;
            const bool always = section[i + 1] == '+';
            if (digits.exponent < 0) {
                out += '-';
            } else if (always) {
                out += '+';
            }
            std::string exponent = std::to_string(std::abs(digits.exponent));
            if (static_cast<int>(exponent.size()) < layout.exponentDigits) {
                exponent.insert(0, static_cast<size_t>(layout.exponentDigits) - exponent.size(),
                                '0');
            }
            out += exponent;
            ++i;
        } else {
            out += c;
        }
    }
    if (!integerDone && layout.hasPlaceholders) putAllIntegerDigits();
    return out;
}

}  // namespace

int32_t StrToInt(std::string_view text) {
    int32_t value = 0;
    if (!TryStrToInt(text, value)) throw ConvertError::NotInteger(std::string(text));
    return value;
}

int64_t StrToInt64(std::string_view text) {
    int64_t value = 0;
    if (!TryStrToInt64(text, value)) throw ConvertError::NotInteger(std::string(text));
    return value;
}

bool TryStrToInt(std::string_view text, int32_t& value) {
    int64_t wide = 0;
    if (!ParseInteger(text, 32, wide)) return false;
    value = static_cast<int32_t>(wide);
    return true;
}

bool TryStrToInt64(std::string_view text, int64_t& value) {
    return ParseInteger(text, 64, value);
}

bool TryStrToFloat(std::string_view text, double& value) {
    text = TrimmedView(text);
    std::string plain;  // the same number with '.' and no leading '+', for from_chars
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int mantissaDigits = 0;
    int exponentShift = 0;  // rough decimal exponent of the first significant digit
    bool seenSignificant = false;
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            ++mantissaDigits;
            if (c != '0') seenSignificant = true;
            if (!seenPoint && seenSignificant) ++exponentShift;
            if (seenPoint && !seenSignificant) --exponentShift;
            plain += c;
        } else if (c == Formats().decimalSeparator && !seenPoint) {
            seenPoint = true;
            plain += '.';
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return false;
    long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        plain += 'e';
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            plain += text[i++];
        }
        const size_t digitsStart = i;
        while (i < text.size() && IsDigit(text[i])) {
            if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
            plain += text[i++];
        }
        if (i == digitsStart) return false;
        if (negativeExponent) exponent = -exponent;
    }
    if (i != text.size()) return false;
    double parsed = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), parsed);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to represent reads as zero; too large is an error.
        if (!seenSignificant || exponentShift + exponent < 0) {
            parsed = 0;
        } else {
            return false;
        }
    } else if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) {
        return false;
    }
    value = negative ? -parsed : parsed;
    return true;
}

double StrToFloat(std::string_view text) {
    double value = 0;
    if (!TryStrToFloat(text, value)) throw ConvertError::NotFloat(std::string(text));
    return value;
}

std::string FloatToStr(double value) {
    return GeneralText(value, 15);
}

std::string FloatToStrFixed(double value, int decimals, int precision) {
    return FixedText(value, decimals, precision, false);
}

std::string FloatToStrNumber(double value, int decimals, int precision) {
    return FixedText(value, decimals, precision, true);
}

std::string FormatFloat(std::string_view pattern, double value) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    const std::vector<std::string_view> sections = SplitSections(pattern);
    const auto present = [&](size_t index) {
        return index < sections.size() && !sections[index].empty();
    };
    if (!present(0) && !(value < 0 && present(1)) && !(value == 0 && present(2))) {
        return FloatToStr(value);
    }
    const auto format = [&](size_t index, double shown, bool sign, bool& zero) {
        const std::string_view section = sections[index];
        const SectionLayout layout = AnalyseSection(section);
        if (!layout.scientific && std::fabs(shown) >= 1e18) {
            zero = false;
            return FloatToStr(sign ? -shown : shown);
        }
        const SectionDigits digits = ComputeDigits(layout, shown);
        zero = digits.zero;
        return LayOut(section, layout, digits, sign && !digits.zero);
    };
    bool zero = false;
    if (value != 0) {
        const bool negative = value < 0;
        std::string text;
        if (negative && present(1)) {
            text = format(1, -value, false, zero);
        } else if (present(0)) {
            text = format(0, std::fabs(value), negative, zero);
        } else {
            return FloatToStr(value);
        }
        if (!zero) return text;
        // Rounded to zero: printed as a zero.
    }
    if (present(2)) return format(2, 0.0, false, zero);
    if (present(0)) return format(0, 0.0, false, zero);
    return FloatToStr(0.0);
}

std::string CurrencyToStr(int64_t tenThousandths) {
    const bool negative = tenThousandths < 0;
    const uint64_t magnitude = negative ? 0ULL - static_cast<uint64_t>(tenThousandths)
                                        : static_cast<uint64_t>(tenThousandths);
    std::string out;
    if (negative) out.push_back('-');
    out += std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty()) {
        out += Formats().decimalSeparator;
        out += fraction;
    }
    return out;
}

}  // namespace report
