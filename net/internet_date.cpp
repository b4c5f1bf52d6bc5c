#include "net/internet_date.h"

#include <cstdint>
#include <ctime>
#include <optional>

#include "net/errors.h"

namespace net {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr double kUnixEpochDays = 25569.0;  // 1 January 1970 counted from 30 December 1899

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void Skip() { ++pos_; }

    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t'))
            ++pos_;
    }

    // 1 to maxDigits digits.
    std::optional<int> Number(std::size_t maxDigits) {
        std::size_t start = pos_;
        int value = 0;
        while (!AtEnd() && IsDigit(Peek()) && pos_ - start < maxDigits) {
            value = value * 10 + (Peek() - '0');
            ++pos_;
        }
        if (pos_ == start || (!AtEnd() && IsDigit(Peek()))) return std::nullopt;
        return value;
    }

    std::string_view Word() {
        std::size_t start = pos_;
        while (!AtEnd() && IsLetter(Peek()))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    bool Contains(char c) const { return text_.find(c, pos_) != std::string_view::npos; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Days from 1 January 1970 to the given civil date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

int MonthOf(std::string_view word) {
    static constexpr const char* kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                              "jul", "aug", "sep", "oct", "nov", "dec"};
    if (word.size() < 3) return 0;
    for (int m = 0; m < 12; ++m) {
        if (Lower(word[0]) == kMonths[m][0] && Lower(word[1]) == kMonths[m][1] &&
            Lower(word[2]) == kMonths[m][2]) {
            return m + 1;
        }
    }
    return 0;
}

// Seconds since 1970 UTC, or nothing when the text is not a date.
std::optional<std::int64_t> ParseUtcSeconds(std::string_view text) {
    Reader in(text);
    in.SkipBlanks();
    if (IsLetter(in.Peek())) {
        in.Word();  // day name
        if (in.Peek() == ',') in.Skip();
        in.SkipBlanks();
    }
    auto isSeparator = [&] { return in.Peek() == ' ' || in.Peek() == '-'; };
    std::optional<int> day = in.Number(2);
    if (!day || !isSeparator()) return std::nullopt;
    in.Skip();
    in.SkipBlanks();
    int month = MonthOf(in.Word());
    if (month == 0 || !isSeparator()) return std::nullopt;
    in.Skip();
    in.SkipBlanks();
    std::optional<int> year = in.Number(4);
    if (!year) return std::nullopt;
    if (*year < 80) {
        *year += 2000;
    } else if (*year < 100) {
        *year += 1900;
    }
    if (*day < 1 || *day > DaysInMonth(*year, month)) return std::nullopt;
    std::int64_t seconds = DaysFromCivil(*year, month, *day) * kSecondsPerDay;
    in.SkipBlanks();
    if (in.Contains(':')) {
        std::optional<int> hour = in.Number(2);
        if (!hour || in.Peek() != ':') return std::nullopt;
        in.Skip();
        std::optional<int> minute = in.Number(2);
        if (!minute) return std::nullopt;
        int second = 0;
        if (in.Peek() == ':') {
            in.Skip();
            std::optional<int> secondRead = in.Number(2);
            if (!secondRead) return std::nullopt;
            second = *secondRead;
        }
        if (*hour > 23 || *minute > 59 || second > 60) return std::nullopt;
        seconds += *hour * 3600 + *minute * 60 + second;
        in.SkipBlanks();
    }
    if (in.Peek() == '+' || in.Peek() == '-') {
        const int sign = in.Peek() == '-' ? -1 : 1;
        in.Skip();
        std::optional<int> zone = in.Number(4);
        if (!zone) return std::nullopt;
        // The zone says how far local time was ahead of UTC.
        seconds -= sign * ((*zone / 100) * 3600 + (*zone % 100) * 60);
    }
    return seconds;
}

}  // namespace

double InternetDateToLocal(std::string_view text) {
    std::optional<std::int64_t> utc = ParseUtcSeconds(text);
    if (!utc) return 0;
    const std::time_t moment = static_cast<std::time_t>(*utc);
    std::tm local{};
    if (localtime_r(&moment, &local) == nullptr) throw TimeZoneInfoError();
    const std::int64_t localSeconds = *utc + local.tm_gmtoff;
    return kUnixEpochDays + static_cast<double>(localSeconds) / kSecondsPerDay;
}

}  // namespace net
