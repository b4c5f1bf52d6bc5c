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
// EncodeTime raises ConvertError::NotTime for parts out of range.
//
// Decoding rounds the time to the nearest millisecond (a time that rounds up to midnight moves
// to the next day, away from day 0 for negative values). A value that is not finite or lies
// outside years 1 to 9999 raises ConvertError::NotDate with the value in general format.
CalendarDate DecodeDate(DateTime value);
TimeOfDay DecodeTime(DateTime value);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(DateTime value);

// Date-time pattern: d dd ddd dddd, m mm mmm mmmm (minutes when after h or hh), yy yyyy,
// h hh, n nn, s ss, z zzz, am/pm a/p ampm (switches to a 12-hour clock), c (short date and
// long time), ddddd (short date), dddddd (long date), t (short time), tt (long time), "/" and
// ":" as the locale's separators, quoted literals ('...' or "...", an unclosed quote runs to the
// end), other characters as they are. Letters are not case-sensitive; am/pm and a/p print in
// the case written. An empty pattern gives "c". Raises ConvertError::NotDate for a value that
// cannot be decoded (see DecodeDate).
std::string FormatDateTime(std::string_view pattern, DateTime value);

std::string DateToStr(DateTime value);      // short date
std::string TimeToStr(DateTime value);      // long time
std::string DateTimeToStr(DateTime value);  // short date, then the time when it is not 0

// Parsing by the short date format's order of day, month and year (French: day/month/year),
// with the locale's date separator; a year of one or two digits is taken in the window of 50
// years around today; a missing year is this year. Times: h:n, h:n:s, h:n:s.z (or the decimal
// separator before the milliseconds), optionally followed by am/pm, a/p or the locale's
// strings (then the hour alone is enough). A date-time is a date, then optionally a time after
// a blank; a time alone is also read. Blanks around the parts are allowed.
// Errors raise ConvertError::NotDate / NotTime / NotDateTime with the text as given.
DateTime StrToDate(std::string_view text);
// The year of a two-digit year in the window [currentYear - 50, currentYear + 49].
int ExpandTwoDigitYear(int twoDigitYear, int currentYear);
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
