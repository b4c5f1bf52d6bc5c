#include "report/core/value/date_time.h"

#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <ctime>

#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/value/format_settings.h"
#include "report/core/value/number_format.h"

namespace report {
namespace {

constexpr int64_t kMillisecondsPerDay = 86'400'000;

// Days from 1 January 1970 to a proleptic Gregorian date (H. Hinnant's civil algorithm).
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CalendarDate CivilFromDays(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    CalendarDate date;
    date.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

const int64_t kEpochDays = DaysFromCivil(1899, 12, 30);
const int64_t kFirstDay = DaysFromCivil(1, 1, 1) - kEpochDays;      // -693593
const int64_t kLastDay = DaysFromCivil(9999, 12, 31) - kEpochDays;  // 2958465

// A date-time split into its day number and the milliseconds of the day, rounded to the
// millisecond. The day is the integer part (toward zero) and the time is the magnitude of the
// fraction, so -1.25 is day -1 at 06:00.
struct SplitTime {
    int64_t day = 0;
    int64_t millisecond = 0;
};

bool TrySplit(DateTime value, SplitTime& split) {
    if (!std::isfinite(value) || value < static_cast<double>(kFirstDay) - 1 ||
        value > static_cast<double>(kLastDay) + 1) {
        return false;
    }
    const double whole = std::trunc(value);
    split.day = static_cast<int64_t>(whole);
    split.millisecond = std::llround(std::fabs(value - whole) * kMillisecondsPerDay);
    if (split.millisecond >= kMillisecondsPerDay) {  // rounded up to the next midnight
        split.millisecond = 0;
        split.day += value < 0 ? -1 : 1;
    }
    return split.day >= kFirstDay && split.day <= kLastDay;
}

SplitTime Split(DateTime value) {
    SplitTime split;
    if (!TrySplit(value, split)) throw ConvertError::NotDate(FloatToStr(value));
    return split;
}

// The date-time of a day and a time of day under the sign convention above.
DateTime Compose(DateTime date, DateTime time) {
    return date < 0 ? date - time : date + time;
}

std::string Padded(int64_t number, int width) {
    std::string text = std::to_string(number);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), '0');
    return text;
}

int CurrentYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

DateTime FromLocalTime(std::time_t seconds, int64_t milliseconds) {
    std::tm local{};
    if (!localtime_r(&seconds, &local)) return 0;
    DateTime date = 0;
    DateTime time = 0;
    if (!TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date)) return 0;
    // A leap second shows as 59.
    const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
    TryEncodeTime(local.tm_hour, local.tm_min, second, static_cast<int>(milliseconds), time);
    return Compose(date, time);
}

// ---- Pattern formatting ----

class DateTimeWriter {
  public:
    DateTimeWriter(DateTime value, std::string& out) : value_(value), out_(out) {}

    void Write(std::string_view pattern, int depth) {
        if (pattern.empty()) pattern = "c";
        const bool twelveHour = HasAmPm(pattern);
        char lastLetter = 0;
        size_t i = 0;
        while (i < pattern.size()) {
            const char c = pattern[i];
            const char upper = UpperAscii(c);
            if (c == '\'' || c == '"') {
                size_t close = pattern.find(c, i + 1);
                if (close == std::string_view::npos) close = pattern.size();
                out_.append(pattern.substr(i + 1, close - i - 1));
                i = close + 1;
                continue;
            }
            if (c == '/') {
                out_ += Formats().dateSeparator;
                ++i;
                continue;
            }
            if (c == ':') {
                out_ += Formats().timeSeparator;
                ++i;
                continue;
            }
            if (upper == 'A') {
                i += WriteAmPm(pattern.substr(i));
                continue;
            }
            if (!(upper >= 'A' && upper <= 'Z')) {
                out_ += c;
                ++i;
                continue;
            }
            size_t count = 1;
            while (i + count < pattern.size() && UpperAscii(pattern[i + count]) == upper)
                ++count;
            const char token = upper == 'M' && lastLetter == 'H' ? 'N' : upper;
            lastLetter = upper;
            i += count;
            switch (token) {
                case 'C':
                    if (depth < 2) {
                        Write(Formats().shortDateFormat, depth + 1);
                        if (Time().millisecond != 0) {
                            out_ += ' ';
                            Write(Formats().longTimeFormat, depth + 1);
                        }
                    }
                    break;
                case 'D':
                    WriteDay(count, depth);
                    break;
                case 'M':
                    WriteMonth(count);
                    break;
                case 'Y': {
                    const int year = Date().year;
                    out_ += count <= 2 ? Padded(year % 100, 2) : Padded(year, 4);
                    break;
                }
                case 'H': {
                    int hour = static_cast<int>(Time().millisecond / 3'600'000);
                    if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
                    out_ += Padded(hour, count >= 2 ? 2 : 1);
                    break;
                }
                case 'N':
                    out_ += Padded(Time().millisecond / 60'000 % 60, count >= 2 ? 2 : 1);
                    break;
                case 'S':
                    out_ += Padded(Time().millisecond / 1000 % 60, count >= 2 ? 2 : 1);
                    break;
                case 'Z':
                    out_ += Padded(Time().millisecond % 1000, count >= 3 ? 3 : 1);
                    break;
                case 'T':
                    if (depth < 2) {
                        Write(count >= 2 ? Formats().longTimeFormat : Formats().shortTimeFormat,
                              depth + 1);
                    }
                    break;
                default:
                    out_.append(count, c);
                    break;
            }
        }
    }

  private:
    static char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

    static bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
        return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
    }

    static bool HasAmPm(std::string_view pattern) {
        for (size_t i = 0; i < pattern.size(); ++i) {
            const char c = pattern[i];
            if (c == '\'' || c == '"') {
                const size_t close = pattern.find(c, i + 1);
                if (close == std::string_view::npos) return false;
                i = close;
            } else if (StartsWithNoCase(pattern.substr(i), "am/pm") ||
                       StartsWithNoCase(pattern.substr(i), "a/p") ||
                       StartsWithNoCase(pattern.substr(i), "ampm")) {
                return true;
            }
        }
        return false;
    }

    // Writes an am/pm marker at the start of `rest`; returns the characters used.
    size_t WriteAmPm(std::string_view rest) {
        const bool afternoon = Time().millisecond >= 12 * 3'600'000;
        if (StartsWithNoCase(rest, "am/pm")) {
            out_.append(rest.substr(afternoon ? 3 : 0, 2));
            return 5;
        }
        if (StartsWithNoCase(rest, "a/p")) {
            out_ += rest[afternoon ? 2 : 0];
            return 3;
        }
        if (StartsWithNoCase(rest, "ampm")) {
            out_ += afternoon ? Formats().timePmString : Formats().timeAmString;
            return 4;
        }
        out_ += rest[0];
        return 1;
    }

    void WriteDay(size_t count, int depth) {
        switch (count) {
            case 1:
            case 2:
                out_ += Padded(Date().day, static_cast<int>(count));
                break;
            case 3:
                out_ += Formats().shortDayNames[static_cast<size_t>(DayIndex())];
                break;
            case 4:
                out_ += Formats().longDayNames[static_cast<size_t>(DayIndex())];
                break;
            case 5:
                if (depth < 2) Write(Formats().shortDateFormat, depth + 1);
                break;
            default:
                if (depth < 2) Write(Formats().longDateFormat, depth + 1);
                break;
        }
    }

    void WriteMonth(size_t count) {
        const int month = Date().month;
        switch (count) {
            case 1:
            case 2:
                out_ += Padded(month, static_cast<int>(count));
                break;
            case 3:
                out_ += Formats().shortMonthNames[static_cast<size_t>(month - 1)];
                break;
            default:
                out_ += Formats().longMonthNames[static_cast<size_t>(month - 1)];
                break;
        }
    }

    int DayIndex() { return DayOfWeek(value_) - 1; }

    const SplitTime& Time() {
        if (!split_) {
            splitValue_ = Split(value_);
            split_ = true;
        }
        return splitValue_;
    }

    const CalendarDate& Date() {
        if (!decoded_) {
            date_ = DecodeDate(value_);
            decoded_ = true;
        }
        return date_;
    }

    DateTime value_;
    std::string& out_;
    bool split_ = false;
    SplitTime splitValue_;
    bool decoded_ = false;
    CalendarDate date_;
};

// ---- Parsing ----

class Scanner {
  public:
    explicit Scanner(std::string_view text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ')
            ++pos_;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos_ >= text_.size();
    }
    bool Char(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    // Up to 9 digits; digitCount tells how many were written.
    bool Number(int& value, int& digitCount) {
        SkipBlanks();
        value = 0;
        digitCount = 0;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            if (digitCount == 9) return false;
            value = value * 10 + (text_[pos_] - '0');
            ++digitCount;
            ++pos_;
        }
        return digitCount > 0;
    }
    bool Number(int& value) {
        int digits = 0;
        return Number(value, digits);
    }
    bool Word(std::string_view word) {
        SkipBlanks();
        if (word.empty() || text_.size() - pos_ < word.size() ||
            !SameText(text_.substr(pos_, word.size()), word)) {
            return false;
        }
        pos_ += word.size();
        return true;
    }
    size_t Position() const { return pos_; }
    void Reset(size_t position) { pos_ = position; }

  private:
    std::string_view text_;
    size_t pos_ = 0;
};

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

DateOrder ShortDateOrder() {
    for (char c : Formats().shortDateFormat) {
        const char lower = LowerCaseChar(c);
        if (lower == 'd') return DateOrder::DayMonthYear;
        if (lower == 'm') return DateOrder::MonthDayYear;
        if (lower == 'y') return DateOrder::YearMonthDay;
    }
    return DateOrder::DayMonthYear;
}

bool ScanDate(Scanner& scanner, DateTime& value) {
    const char separator = Formats().dateSeparator;
    int n1 = 0, n2 = 0, n3 = 0;
    int digits1 = 0, digits3 = 0, digits2 = 0;
    if (!scanner.Number(n1, digits1) || !scanner.Char(separator) || !scanner.Number(n2, digits2)) {
        return false;
    }
    int day = 0, month = 0, year = 0, yearDigits = 0;
    const size_t afterTwo = scanner.Position();
    const bool hasThird = scanner.Char(separator) && scanner.Number(n3, digits3);
    const DateOrder order = ShortDateOrder();
    if (!hasThird) {
        scanner.Reset(afterTwo);
        year = CurrentYear();
        yearDigits = 4;
        if (order == DateOrder::DayMonthYear) {
            day = n1, month = n2;
        } else {
            month = n1, day = n2;
        }
    } else if (order == DateOrder::DayMonthYear) {
        day = n1, month = n2, year = n3, yearDigits = digits3;
    } else if (order == DateOrder::MonthDayYear) {
        month = n1, day = n2, year = n3, yearDigits = digits3;
    } else {
        year = n1, month = n2, day = n3, yearDigits = digits1;
    }
    if (yearDigits <= 2) year = ExpandTwoDigitYear(year, CurrentYear());
    return TryEncodeDate(year, month, day, value);
}

bool ScanTime(Scanner& scanner, DateTime& value) {
    const char separator = Formats().timeSeparator;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    if (!scanner.Number(hour)) return false;
    bool hasMinutes = false;
    if (scanner.Char(separator)) {
        if (!scanner.Number(minute)) return false;
        hasMinutes = true;
        if (scanner.Char(separator)) {
            if (!scanner.Number(second)) return false;
            if (scanner.Char('.') || scanner.Char(Formats().decimalSeparator)) {
                int digits = 0;
                if (!scanner.Number(millisecond, digits) || digits > 3) return false;
                for (; digits < 3; ++digits)
                    millisecond *= 10;
            }
        }
    }
    int half = -1;  // 0 morning, 1 afternoon
    const FormatSettings& settings = Formats();
    if (scanner.Word("am/pm")) return false;
    if (scanner.Word("am") || scanner.Word(settings.timeAmString)) {
        half = 0;
    } else if (scanner.Word("pm") || scanner.Word(settings.timePmString)) {
        half = 1;
    } else if (scanner.Word("a")) {
        half = 0;
    } else if (scanner.Word("p")) {
        half = 1;
    }
    if (half >= 0) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + (half == 1 ? 12 : 0);
    } else if (!hasMinutes) {
        return false;
    }
    return TryEncodeTime(hour, minute, second, millisecond, value);
}

}  // namespace

int ExpandTwoDigitYear(int twoDigitYear, int currentYear) {
    int year = currentYear / 100 * 100 + twoDigitYear;
    if (year < currentYear - 50) year += 100;
    if (year > currentYear + 49) year -= 100;
    return year;
}

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, DateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return false;
    }
    result = static_cast<DateTime>(DaysFromCivil(year, month, day) - kEpochDays);
    return true;
}

DateTime EncodeDate(int year, int month, int day) {
    DateTime result = 0;
    if (!TryEncodeDate(year, month, day, result)) {
        const std::string separator(1, Formats().dateSeparator);
        throw ConvertError::NotDate(std::to_string(day) + separator + std::to_string(month) +
                                    separator + std::to_string(year));
    }
    return result;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, DateTime& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999) {
        return false;
    }
    const int64_t total = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    result = static_cast<double>(total) / kMillisecondsPerDay;
    return true;
}

DateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    DateTime result = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, result)) {
        const std::string separator(1, Formats().timeSeparator);
        throw ConvertError::NotTime(std::to_string(hour) + separator + std::to_string(minute) +
                                    separator + std::to_string(second) + "." +
                                    std::to_string(millisecond));
    }
    return result;
}

CalendarDate DecodeDate(DateTime value) {
    return CivilFromDays(Split(value).day + kEpochDays);
}

TimeOfDay DecodeTime(DateTime value) {
    const int64_t ms = Split(value).millisecond;
    TimeOfDay time;
    time.hour = static_cast<int>(ms / 3'600'000);
    time.minute = static_cast<int>(ms / 60'000 % 60);
    time.second = static_cast<int>(ms / 1000 % 60);
    time.millisecond = static_cast<int>(ms % 1000);
    return time;
}

int DayOfWeek(DateTime value) {
    const int64_t day = Split(value).day;
    // Day 0, 30 December 1899, was a Saturday.
    const int64_t index = ((day + 6) % 7 + 7) % 7;
    return static_cast<int>(index) + 1;
}

std::string FormatDateTime(std::string_view pattern, DateTime value) {
    std::string out;
    DateTimeWriter(value, out).Write(pattern, 0);
    return out;
}

std::string DateToStr(DateTime value) {
    return FormatDateTime("ddddd", value);
}

std::string TimeToStr(DateTime value) {
    return FormatDateTime("tt", value);
}

std::string DateTimeToStr(DateTime value) {
    return FormatDateTime("c", value);
}

bool TryStrToDate(std::string_view text, DateTime& value) {
    Scanner scanner(text);
    DateTime date = 0;
    if (!ScanDate(scanner, date) || !scanner.AtEnd()) return false;
    value = date;
    return true;
}

DateTime StrToDate(std::string_view text) {
    DateTime value = 0;
    if (!TryStrToDate(text, value)) throw ConvertError::NotDate(std::string(text));
    return value;
}

bool TryStrToTime(std::string_view text, DateTime& value) {
    Scanner scanner(text);
    DateTime time = 0;
    if (!ScanTime(scanner, time) || !scanner.AtEnd()) return false;
    value = time;
    return true;
}

DateTime StrToTime(std::string_view text) {
    DateTime value = 0;
    if (!TryStrToTime(text, value)) throw ConvertError::NotTime(std::string(text));
    return value;
}

bool TryStrToDateTime(std::string_view text, DateTime& value) {
    Scanner scanner(text);
    DateTime date = 0;
    if (ScanDate(scanner, date)) {
        if (scanner.AtEnd()) {
            value = date;
            return true;
        }
        DateTime time = 0;
        if (ScanTime(scanner, time) && scanner.AtEnd()) {
            value = Compose(date, time);
            return true;
        }
    }
    return TryStrToTime(text, value);
}

DateTime StrToDateTime(std::string_view text) {
    DateTime value = 0;
    if (!TryStrToDateTime(text, value)) throw ConvertError::NotDateTime(std::string(text));
    return value;
}

DateTime Now() {
    const auto now = std::chrono::system_clock::now();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    const auto seconds = static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    return FromLocalTime(seconds, ms - static_cast<int64_t>(seconds) * 1000);
}

DateTime Today() {
    return std::trunc(Now());
}

DateTime TimeNow() {
    const DateTime now = Now();
    return now - std::trunc(now);
}

bool FileModificationTime(const std::string& path, DateTime& value) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        // Names on disk are usually UTF-8; ours are Windows-1252.
        if (!HasNonAscii(path) || stat(Cp1252ToUtf8(path).c_str(), &info) != 0) return false;
    }
    value = FromLocalTime(info.st_mtim.tv_sec, info.st_mtim.tv_nsec / 1'000'000);
    return true;
}

}  // namespace report
