#include "report/core/value/date_time.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "report/core/base/errors.h"
#include "report/core/value/format_settings.h"

namespace report {
namespace {

class DateTimeTest : public ::testing::Test {
  protected:
    ScopedFormats french_{FormatSettings::French()};
};

constexpr DateTime k15Nov1998 = 36114;  // a Sunday

DateTime At(int hour, int minute, int second, int millisecond = 0) {
    return EncodeTime(hour, minute, second, millisecond);
}

using ::testing::ThrowsMessage;

TEST_F(DateTimeTest, CalendarEncoding) {
    struct Case {
        int year, month, day;
        DateTime value;
    };
    const std::vector<Case> cases = {
        {1899, 12, 30, 0},  {1899, 12, 31, 1},       {1900, 1, 1, 2},       {1899, 12, 29, -1},
        {1900, 3, 1, 61},   {1998, 11, 15, 36114},   {2000, 1, 1, 36526},   {2000, 2, 29, 36585},
        {1, 1, 1, -693593}, {9999, 12, 31, 2958465}, {1600, 3, 1, -109511},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.day) + "/" + std::to_string(c.month) + "/" +
                     std::to_string(c.year));
        EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.value);
        const CalendarDate date = DecodeDate(c.value);
        EXPECT_EQ(date.year, c.year);
        EXPECT_EQ(date.month, c.month);
        EXPECT_EQ(date.day, c.day);
    }
}

TEST_F(DateTimeTest, LeapYearsAndInvalidDates) {
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 13), 0);

    struct Case {
        int year, month, day;
        bool valid;
    };
    const std::vector<Case> cases = {
        {2024, 2, 29, true},  {2023, 2, 29, false}, {1900, 2, 29, false}, {2000, 2, 29, true},
        {2023, 4, 31, false}, {2023, 0, 1, false},  {2023, 13, 1, false}, {2023, 1, 0, false},
        {0, 1, 1, false},     {10000, 1, 1, false}, {-5, 1, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.day) + "/" + std::to_string(c.month) + "/" +
                     std::to_string(c.year));
        DateTime value = -42;
        EXPECT_EQ(TryEncodeDate(c.year, c.month, c.day, value), c.valid);
        if (!c.valid) {
            EXPECT_EQ(value, -42);
        }
    }
    EXPECT_THAT([] { EncodeDate(2023, 2, 29); },
                ThrowsMessage<ConvertError>("'29/2/2023' n'est pas une date correcte"));
    EXPECT_THAT([] { EncodeTime(24, 0, 0, 0); },
                ThrowsMessage<ConvertError>("'24:0:0.0' n'est pas une heure correcte"));
}

TEST_F(DateTimeTest, EveryDayRoundTrips) {
    const int64_t first = -693593, last = 2958465;
    int expectedWeekday = DayOfWeek(static_cast<DateTime>(first));
    for (int64_t day = first; day <= last; ++day) {
        const CalendarDate date = DecodeDate(static_cast<DateTime>(day));
        ASSERT_EQ(EncodeDate(date.year, date.month, date.day), static_cast<DateTime>(day)) << day;
        ASSERT_EQ(DayOfWeek(static_cast<DateTime>(day)), expectedWeekday) << day;
        expectedWeekday = expectedWeekday % 7 + 1;
    }
    EXPECT_EQ(DayOfWeek(k15Nov1998), 1);  // Sunday
    EXPECT_EQ(DayOfWeek(0), 7);           // Saturday
    EXPECT_EQ(DayOfWeek(-1), 6);
}

TEST_F(DateTimeTest, TimesAreExactToTheMillisecond) {
    EXPECT_EQ(At(12, 0, 0), 0.5);
    EXPECT_EQ(At(6, 0, 0), 0.25);
    for (int64_t ms = 0; ms < 86'400'000; ms += 997) {
        const int hour = static_cast<int>(ms / 3'600'000),
                  minute = static_cast<int>(ms / 60'000 % 60),
                  second = static_cast<int>(ms / 1000 % 60), milli = static_cast<int>(ms % 1000);
        for (DateTime day : {0.0, 36114.0, 2958465.0, -693593.0, -1.0}) {
            const DateTime value = day < 0 ? day - At(hour, minute, second, milli)
                                           : day + At(hour, minute, second, milli);
            const TimeOfDay time = DecodeTime(value);
            ASSERT_EQ(time.hour, hour) << ms << " " << day;
            ASSERT_EQ(time.minute, minute) << ms << " " << day;
            ASSERT_EQ(time.second, second) << ms << " " << day;
            ASSERT_EQ(time.millisecond, milli) << ms << " " << day;
            ASSERT_EQ(DecodeDate(value).year, DecodeDate(day).year);
        }
    }
    const TimeOfDay last = DecodeTime(At(23, 59, 59, 999));
    EXPECT_EQ(last.hour * 10000000 + last.minute * 100000 + last.second * 1000 + last.millisecond,
              235959999);
}

TEST_F(DateTimeTest, NegativeDatesAndRoundingToMidnight) {
    // The fraction counts forward from midnight of the day, whatever the sign.
    const CalendarDate date = DecodeDate(-1.25);
    EXPECT_EQ(date.year, 1899);
    EXPECT_EQ(date.month, 12);
    EXPECT_EQ(date.day, 29);
    EXPECT_EQ(DecodeTime(-1.25).hour, 6);
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", -1.25), "29/12/1899 06:00");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", -0.5), "30/12/1899 12:00");
    // Less than half a millisecond before midnight is midnight of the next day.
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", 36114.9999999999),
              "16/11/1998 00:00:00.000");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", -1.9999999999), "28/12/1899 00:00:00.000");
}

TEST_F(DateTimeTest, UndecodableValuesRaise) {
    for (DateTime value : {1e300, -1e300, 2958466.0, -693594.5, std::nan(""),
                           std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(value);
        EXPECT_THROW(DecodeDate(value), ConvertError);
        EXPECT_THROW(FormatDateTime("dd/mm/yyyy", value), ConvertError);
    }
    EXPECT_THAT([] { DecodeDate(1e300); },
                ThrowsMessage<ConvertError>("'1E300' n'est pas une date correcte"));
    // Literal-only patterns need no decoding.
    EXPECT_EQ(FormatDateTime("'x'", 1e300), "x");
}

struct PatternCase {
    const char* pattern;
    DateTime value;
    const char* expected;
};

TEST_F(DateTimeTest, FormatDateTimePatterns) {
    const DateTime afternoon = k15Nov1998 + At(13, 5, 9, 45);
    const DateTime morning = k15Nov1998 + At(0, 7, 3);
    const DateTime feb2 = EncodeDate(2023, 2, 2);
    const std::vector<PatternCase> cases = {
        {"dddd d mmmm yyyy", k15Nov1998, "dimanche 15 novembre 1998"},
        {"dd/mm/yy", k15Nov1998, "15/11/98"},
        {"d/m/yyyy", feb2, "2/2/2023"},
        {"ddd d mmm", feb2, "jeu. 2 f\xE9vr."},
        {"dddd d mmmm", feb2, "jeudi 2 f\xE9vrier"},
        {"mmmm", EncodeDate(2023, 8, 1), "ao\xFBt"},
        {"mmm", EncodeDate(2023, 8, 1), "ao\xFBt"},
        {"mmmm", EncodeDate(2023, 12, 1),
         "d\xE9"
         "cembre"},
        {"mmm", EncodeDate(2023, 12, 1),
         "d\xE9"
         "c."},
        {"mmmmm", EncodeDate(2023, 3, 1), "mars"},
        {"yyyy", EncodeDate(5, 1, 1), "0005"},
        {"yy", EncodeDate(2005, 1, 1), "05"},
        {"y", EncodeDate(2005, 1, 1), "05"},
        {"yyy", EncodeDate(2005, 1, 1), "2005"},
        {"mm.dd.yy", k15Nov1998, "11.15.98"},
        {"yyyy-mm-dd", k15Nov1998, "1998-11-15"},
        {"d mmm yyyy", k15Nov1998, "15 nov. 1998"},
        // Times; m after an hour is the minute.
        {"hh:nn:ss", afternoon, "13:05:09"},
        {"hh:mm:ss", afternoon, "13:05:09"},
        {"h:m", morning, "0:7"},
        {"hh:mm", morning, "00:07"},
        {"h 'h' mm", morning, "0 h 07"},
        {"mm hh", morning, "11 00"},
        {"hh:nn:ss.zzz", afternoon, "13:05:09.045"},
        {"s.z", afternoon, "9.45"},
        {"h:nn", 0.25, "6:00"},
        {"h:nn am/pm", afternoon, "1:05 pm"},
        {"h:nn AM/PM", morning, "12:07 AM"},
        {"h:nna/p", afternoon, "1:05p"},
        {"hh:nn ampm", afternoon, "01:05 "},  // French has no am/pm strings
        // Whole formats, separators, literals.
        {"c", k15Nov1998, "15/11/1998"},
        {"c", afternoon, "15/11/1998 13:05:09"},
        {"", afternoon, "15/11/1998 13:05:09"},
        {"ddddd", afternoon, "15/11/1998"},
        {"dddddd", afternoon, "dimanche 15 novembre 1998"},
        {"t", afternoon, "13:05"},
        {"tt", afternoon, "13:05:09"},
        {"'le' d \"\xE0\" h'h'nn", afternoon, "le 15 \xE0 13h05"},
        {"d 'abc", k15Nov1998, "15 abc"},
        {"DD/MM/YYYY", k15Nov1998, "15/11/1998"},
        {"[x] q!", k15Nov1998, "[x] q!"},
        {"'/:'", k15Nov1998, "/:"},
    };
    for (const PatternCase& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(FormatDateTime(c.pattern, c.value), c.expected);
    }
}

TEST_F(DateTimeTest, SeparatorsComeFromTheSettings) {
    FormatSettings settings = FormatSettings::French();
    settings.dateSeparator = '.';
    settings.timeSeparator = 'h';
    ScopedFormats scoped(settings);
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", k15Nov1998 + 0.5), "15.11.1998 12h00");
    EXPECT_EQ(StrToDate("15.11.1998"), k15Nov1998);
}

TEST_F(DateTimeTest, SelfReferringSettingsDoNotLoop) {
    FormatSettings settings = FormatSettings::French();
    settings.shortDateFormat = "c ddddd";
    settings.longTimeFormat = "tt c";
    settings.shortTimeFormat = "t";
    settings.longDateFormat = "dddddd";
    ScopedFormats scoped(settings);
    for (const char* pattern : {"c", "ddddd", "dddddd", "t", "tt", ""}) {
        SCOPED_TRACE(pattern);
        EXPECT_NO_THROW(FormatDateTime(pattern, k15Nov1998 + 0.5));
    }
}

TEST_F(DateTimeTest, GeneratedPatternsAndTexts) {
    std::mt19937 random(1998);
    const std::string alphabet = "dmyhnszctaAmpP/:.'\" 0129";
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 14);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % alphabet.size()];
        SCOPED_TRACE(text);
        for (DateTime value : {0.0, -1.25, k15Nov1998 + 0.6, 2958465.99999})
            EXPECT_NO_THROW(FormatDateTime(text, value));
        DateTime value = 0;
        TryStrToDateTime(text, value);
    }
}

TEST_F(DateTimeTest, StandardTexts) {
    EXPECT_EQ(DateToStr(k15Nov1998 + 0.75), "15/11/1998");
    EXPECT_EQ(TimeToStr(0.75), "18:00:00");
    EXPECT_EQ(DateTimeToStr(k15Nov1998 + 0.75), "15/11/1998 18:00:00");
    EXPECT_EQ(DateTimeToStr(k15Nov1998), "15/11/1998");
    EXPECT_EQ(DateTimeToStr(0), "30/12/1899");
}

TEST_F(DateTimeTest, TwoDigitYearWindow) {
    struct Case {
        int twoDigits, currentYear, expected;
    };
    for (const Case& c : std::vector<Case>{{98, 2025, 1998},
                                           {20, 2025, 2020},
                                           {74, 2025, 2074},
                                           {75, 2025, 1975},
                                           {0, 2025, 2000},
                                           {49, 2099, 2049},
                                           {48, 2099, 2148},
                                           {50, 2000, 1950},
                                           {49, 2000, 2049}}) {
        SCOPED_TRACE(std::to_string(c.twoDigits) + " in " + std::to_string(c.currentYear));
        EXPECT_EQ(ExpandTwoDigitYear(c.twoDigits, c.currentYear), c.expected);
    }
}

TEST_F(DateTimeTest, DateParsing) {
    const int thisYear = DecodeDate(Today()).year;
    struct Case {
        const char* text;
        DateTime value;
    };
    const std::vector<Case> good = {
        {"15/11/1998", k15Nov1998},
        {" 15 / 11 / 1998 ", k15Nov1998},
        {"1/2/2023", EncodeDate(2023, 2, 1)},
        {"01/02/2023", EncodeDate(2023, 2, 1)},
        {"15/11/98", EncodeDate(ExpandTwoDigitYear(98, thisYear), 11, 15)},
        {"15/11/5", EncodeDate(ExpandTwoDigitYear(5, thisYear), 11, 15)},
        {"15/11", EncodeDate(thisYear, 11, 15)},
        {"29/02/2024", EncodeDate(2024, 2, 29)},
        {"1/1/0001", -693593},
        {"31/12/9999", 2958465},
        {"29/12/1899", -1},
    };
    for (const Case& c : good) {
        SCOPED_TRACE(c.text);
        DateTime value = 0;
        EXPECT_TRUE(TryStrToDate(c.text, value));
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(StrToDate(c.text), c.value);
    }
    for (const char* bad : {"", "15", "15/", "15/11/", "15-11-1998", "29/02/2023", "32/01/2020",
                            "15/13/2020", "0/1/2020", "15/11/1998x", "15/11/1998/1", "1/1/10000",
                            "1/1/0000", "15/11/1998 12:00", "a/b/c", "1234567890/1/1"}) {
        SCOPED_TRACE(bad);
        DateTime value = 42;
        EXPECT_FALSE(TryStrToDate(bad, value));
        EXPECT_EQ(value, 42);
        EXPECT_THAT([&] { StrToDate(bad); },
                    ThrowsMessage<ConvertError>(
                        std::string("'").append(bad).append("' n'est pas une date correcte")));
    }
}

TEST_F(DateTimeTest, MonthFirstAndYearFirstOrders) {
    FormatSettings settings = FormatSettings::French();
    settings.shortDateFormat = "mm/dd/yyyy";
    {
        ScopedFormats scoped(settings);
        EXPECT_EQ(StrToDate("11/15/1998"), k15Nov1998);
        EXPECT_EQ(DateToStr(k15Nov1998), "11/15/1998");
    }
    settings.shortDateFormat = "yyyy/mm/dd";
    ScopedFormats scoped(settings);
    EXPECT_EQ(StrToDate("1998/11/15"), k15Nov1998);
}

TEST_F(DateTimeTest, TimeParsing) {
    struct Case {
        const char* text;
        DateTime value;
    };
    const std::vector<Case> good = {
        {"12:30", At(12, 30, 0)},
        {"12:30:15", At(12, 30, 15)},
        {" 1 : 02 : 03 ", At(1, 2, 3)},
        {"12:30:15.250", At(12, 30, 15, 250)},
        {"12:30:15,25", At(12, 30, 15, 250)},
        {"12:30:15.5", At(12, 30, 15, 500)},
        {"3 pm", At(15, 0, 0)},
        {"3PM", At(15, 0, 0)},
        {"12 am", At(0, 0, 0)},
        {"12:10 pm", At(12, 10, 0)},
        {"11:59 p", At(23, 59, 0)},
        {"0:00", 0},
        {"23:59:59.999", At(23, 59, 59, 999)},
    };
    for (const Case& c : good) {
        SCOPED_TRACE(c.text);
        DateTime value = -1;
        EXPECT_TRUE(TryStrToTime(c.text, value));
        EXPECT_EQ(value, c.value);
    }
    for (const char* bad : {"", "12", "25:00", "12:60", "12:30:60", "13 pm", "0 am", "ab",
                            "12:30:15.2500", "12:", "12:30:", "12:30 xm", "12:30 am/pm", "12/30"}) {
        SCOPED_TRACE(bad);
        DateTime value = 42;
        EXPECT_FALSE(TryStrToTime(bad, value));
        EXPECT_EQ(value, 42);
        EXPECT_THAT([&] { StrToTime(bad); },
                    ThrowsMessage<ConvertError>(
                        std::string("'").append(bad).append("' n'est pas une heure correcte")));
    }
}

TEST_F(DateTimeTest, DateTimeParsing) {
    EXPECT_EQ(StrToDateTime("15/11/1998 13:05:09"), k15Nov1998 + At(13, 5, 9));
    EXPECT_EQ(StrToDateTime("15/11/1998"), k15Nov1998);
    EXPECT_EQ(StrToDateTime("13:05"), At(13, 5, 0));
    EXPECT_EQ(StrToDateTime("29/12/1899 06:00"), -1.25);
    const DateTime value = StrToDateTime("15/11/1998 23:59:59.999");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", value), "15/11/1998 23:59:59.999");
    for (const char* bad : {"15/11/1998 25:00", "", "15/11/1998 x", "hier"}) {
        SCOPED_TRACE(bad);
        EXPECT_THAT([&] { StrToDateTime(bad); },
                    ThrowsMessage<ConvertError>(std::string("'").append(bad).append(
                        "' n'est pas une date et heure correcte")));
    }
}

TEST_F(DateTimeTest, ClockReadings) {
    const DateTime before = Now();
    const DateTime today = Today();
    const DateTime time = TimeNow();
    const DateTime after = Now();
    EXPECT_EQ(today, std::trunc(today));
    EXPECT_GE(time, 0);
    EXPECT_LT(time, 1);
    EXPECT_LE(before, after);
    EXPECT_LE(std::fabs(after - before), 1.0 / 86400);
    // Today is the local calendar day.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const CalendarDate date = DecodeDate(today);
    if (local.tm_hour != 0 || local.tm_min != 0) {  // not right at midnight
        EXPECT_EQ(date.year, local.tm_year + 1900);
        EXPECT_EQ(date.month, local.tm_mon + 1);
        EXPECT_EQ(date.day, local.tm_mday);
    }
}

TEST_F(DateTimeTest, FileModificationTimeIsLocal) {
    const std::string folder = ::testing::TempDir();
    const std::string path = folder + "/date_time_test_" + std::to_string(getpid()) + ".txt";
    { std::ofstream(path) << "x"; }
    std::tm local{};
    local.tm_year = 2001 - 1900;
    local.tm_mon = 1;
    local.tm_mday = 3;
    local.tm_hour = 4;
    local.tm_min = 5;
    local.tm_sec = 6;
    local.tm_isdst = -1;
    const std::time_t stamp = std::mktime(&local);
    const timespec times[2] = {{stamp, 0}, {stamp, 250'000'000}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    DateTime value = 0;
    ASSERT_TRUE(FileModificationTime(path, value));
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", value), "03/02/2001 04:05:06.250");
    std::remove(path.c_str());

    value = 42;
    EXPECT_FALSE(FileModificationTime(path, value));
    EXPECT_EQ(value, 42);
}

}  // namespace
}  // namespace report
