// The French locale of the program, held in one object that tests may replace.
//
// Every number, date and time that the runtime formats or parses goes through Formats().
// Texts are Windows-1252.
#pragma once

#include <array>
#include <string>

namespace report {

struct FormatSettings {
    char decimalSeparator = ',';
    char thousandSeparator = '\xA0';  // no-break space
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string shortDateFormat = "dd/mm/yyyy";
    std::string longDateFormat = "dddd d mmmm yyyy";
    std::string shortTimeFormat = "hh:nn";
    std::string longTimeFormat = "hh:nn:ss";
    std::string timeAmString;  // empty in French: 24-hour clock
    std::string timePmString;
    std::array<std::string, 12> shortMonthNames;  // January first
    std::array<std::string, 12> longMonthNames;
    std::array<std::string, 7> shortDayNames;  // Sunday first
    std::array<std::string, 7> longDayNames;

    // The program's French settings (day and month names included).
    static FormatSettings French();
};

// The process-wide settings, French unless a test or a display format changed them.
FormatSettings& Formats();

// Replaces the process-wide settings for the lifetime of the object (tests, display formats).
class ScopedFormats {
  public:
    explicit ScopedFormats(const FormatSettings& replacement);
    ~ScopedFormats();
    ScopedFormats(const ScopedFormats&) = delete;
    ScopedFormats& operator=(const ScopedFormats&) = delete;

  private:
    FormatSettings saved_;
};

}  // namespace report
