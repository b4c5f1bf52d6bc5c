// Dates and times under Formats().
//
// A DateTime is a double counting days since 30 December 1899; the fraction is the time of day.
// For negative values the fraction still counts forward from midnight of the day
// (-1.25 is 29 December 1899, 06:00).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace report {

using DateTime = double;

struct CalendarDate {
    int year = 0, month = 0, day = 0;
};
struct TimeOfDay {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Years 1 to 9999. Invalid parts raise ConvertError::NotDate with the numbers as text.
DateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, DateTime& result);
DateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, DateTime& result);
CalendarDate DecodeDate(DateTime value);
TimeOfDay DecodeTime(DateTime value);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(DateTime value);

// Date-time pattern: d dd ddd dddd, m mm mmm mmmm (minutes when after h or hh), yy yyyy,
// h hh, n nn, s ss, z zzz, am/pm a/p ampm (switches to a 12-hour clock), c (short date and
// long time), "/" and ":" as the locale's separators, quoted literals, other characters as
// they are. An empty pattern gives "c".
std::string FormatDateTime(std::string_view pattern, DateTime value);

std::string DateToStr(DateTime value);      // short date
std::string TimeToStr(DateTime value);      // long time
std::string DateTimeToStr(DateTime value);  // short date, then the time when it is not 0

// Parsing by the short date format's order of day, month and year (French: day/month/year),
// with the locale's date separator; a two-digit year is taken in the window of 50 years around
// today; a missing year is this year. Errors raise ConvertError::NotDate / NotTime / NotDateTime.
DateTime StrToDate(std::string_view text);
bool TryStrToDate(std::string_view text, DateTime& value);
DateTime StrToTime(std::string_view text);
bool TryStrToTime(std::string_view text, DateTime& value);
DateTime StrToDateTime(std::string_view text);
bool TryStrToDateTime(std::string_view text, DateTime& value);

// The local date and time.
DateTime Now();
DateTime Today();
DateTime TimeNow();

// The modification time of a file in local time; false when it does not exist.
bool FileModificationTime(const std::string& path, DateTime& value);

}  // namespace report
