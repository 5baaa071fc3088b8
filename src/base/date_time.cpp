#include "base/date_time.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kalvoro {
namespace {

// Day numbers count 0001-01-01 as day 1; 1899-12-30 (date-time 0) is day 693594.
constexpr int kDateDelta = 693594;
constexpr int kFirstDay = 1;
constexpr int kLastDay = 3652059;  // 9999-12-31
constexpr std::int64_t kMsPerDay = 86400000;

constexpr int kDaysPer400Years = 146097;
constexpr int kDaysPer100Years = 36524;
constexpr int kDaysPer4Years = 1461;

// A date-time split into its day and its time of day.
struct Stamp {
    bool valid = false;
    int day = 0;  // kFirstDay..kLastDay
    int millisecond = 0;
};

Stamp ToStamp(DateTime value) {
    Stamp stamp;
    if (!std::isfinite(value)) return stamp;
    const double whole = std::trunc(value);
    if (whole < kFirstDay - kDateDelta || whole > kLastDay - kDateDelta) return stamp;
    stamp.valid = true;
    stamp.day = static_cast<int>(whole) + kDateDelta;
    std::int64_t millisecond = std::llround(std::fabs(value - whole) * kMsPerDay);
    if (millisecond >= kMsPerDay) {
        // Rounded up to the next midnight.
        if (stamp.day < kLastDay) {
            ++stamp.day;
            millisecond = 0;
        } else {
            millisecond = kMsPerDay - 1;
        }
    }
    stamp.millisecond = static_cast<int>(millisecond);
    return stamp;
}

DateParts DayToDate(int day) {
    int remaining = day - 1;
    int year = 1;
    year += (remaining / kDaysPer400Years) * 400;
    remaining %= kDaysPer400Years;
    int centuries = remaining / kDaysPer100Years;
    remaining %= kDaysPer100Years;
    if (centuries == 4) {
        centuries = 3;
        remaining += kDaysPer100Years;
    }
    year += centuries * 100;
    year += (remaining / kDaysPer4Years) * 4;
    remaining %= kDaysPer4Years;
    int years = remaining / 365;
    remaining %= 365;
    if (years == 4) {
        years = 3;
        remaining += 365;
    }
    year += years;
    DateParts date{year, 1, 1};
    while (remaining >= DaysInMonth(year, date.month)) {
        remaining -= DaysInMonth(year, date.month);
        ++date.month;
    }
    date.day = remaining + 1;
    return date;
}

TimeParts MillisecondToTime(int millisecond) {
    TimeParts time;
    time.hour = millisecond / 3600000;
    time.minute = millisecond / 60000 % 60;
    time.second = millisecond / 1000 % 60;
    time.millisecond = millisecond % 1000;
    return time;
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char ToUpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithIgnoreCase(std::string_view text, std::size_t pos, std::string_view prefix) {
    if (text.size() - pos < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (ToUpperAscii(text[pos + i]) != ToUpperAscii(prefix[i])) return false;
    }
    return true;
}

// "h" shows a 12-hour clock when the pattern holds an am/pm marker, before or after it (Windows
// pictures put it first: "tt h:mm").
bool UsesTwelveHourClock(std::string_view pattern) {
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const char c = pattern[pos];
        if ((c == 'a' || c == 'A') &&
            (StartsWithIgnoreCase(pattern, pos, "am/pm") || StartsWithIgnoreCase(pattern, pos, "a/p"))) {
            return true;
        }
        if (c == '"' || c == '\'') {
            const std::size_t close = pattern.find(c, pos + 1);
            if (close == std::string_view::npos) return false;
            pos = close;
        }
        ++pos;
    }
    return false;
}

// "m" right before seconds means minutes, as in "mm:ss".
bool SecondsFollow(std::string_view pattern, std::size_t pos) {
    while (pos < pattern.size() && !IsAsciiLetter(pattern[pos]) && pattern[pos] != '"' && pattern[pos] != '\'') ++pos;
    return pos < pattern.size() && (pattern[pos] == 's' || pattern[pos] == 'S');
}

std::string_view NameOrEmpty(const std::string* names, int count, int index) {
    if (index < 0 || index >= count) return {};
    return names[index];
}

class Formatter {
public:
    Formatter(DateTime value, const DateLocale& locale) : locale_(locale) {
        const Stamp stamp = ToStamp(value);
        if (stamp.valid) {
            date_ = DayToDate(stamp.day);
            time_ = MillisecondToTime(stamp.millisecond);
            day_of_week_ = stamp.day % 7;  // 0 = Sunday
        }
    }

    void Append(std::string& out, std::string_view pattern, int depth) const {
        char last_token = ' ';
        std::size_t pos = 0;
        while (pos < pattern.size()) {
            const char c = pattern[pos];
            if (c == '"' || c == '\'') {
                const std::size_t close = pattern.find(c, pos + 1);
                const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
                out.append(pattern.substr(pos + 1, end - pos - 1));
                pos = end == pattern.size() ? end : end + 1;
                continue;
            }
            if (!IsAsciiLetter(c)) {
                out += c;
                ++pos;
                continue;
            }
            char token = ToUpperAscii(c);
            std::size_t count = 1;
            while (pos + count < pattern.size() && ToUpperAscii(pattern[pos + count]) == token) ++count;
            if (token == 'M' && count <= 2 && (last_token == 'H' || SecondsFollow(pattern, pos + count))) token = 'N';
            last_token = token;
            switch (token) {
                case 'Y':
                    out += count <= 2 ? IntToZeroStr(date_.year % 100, 2) : IntToZeroStr(date_.year, 4);
                    break;
                case 'M':
                    if (count <= 2) {
                        out += IntToZeroStr(date_.month, static_cast<int>(count));
                    } else {
                        const auto& names = count == 3 ? locale_.short_month_names : locale_.long_month_names;
                        out += NameOrEmpty(names.data(), 12, date_.month - 1);
                    }
                    break;
                case 'D':
                    if (count <= 2) {
                        out += IntToZeroStr(date_.day, static_cast<int>(count));
                    } else if (count <= 4) {
                        const auto& names = count == 3 ? locale_.short_day_names : locale_.long_day_names;
                        out += NameOrEmpty(names.data(), 7, day_of_week_);
                    } else if (depth < kMaxDepth) {
                        Append(out, locale_.short_date_format, depth + 1);
                    }
                    break;
                case 'H': {
                    int hour = time_.hour;
                    if (UsesTwelveHourClock(pattern)) {
                        hour %= 12;
                        if (hour == 0) hour = 12;
                    }
                    out += IntToZeroStr(hour, std::min<int>(static_cast<int>(count), 2));
                    break;
                }
                case 'N':
                    out += IntToZeroStr(time_.minute, std::min<int>(static_cast<int>(count), 2));
                    break;
                case 'S':
                    out += IntToZeroStr(time_.second, std::min<int>(static_cast<int>(count), 2));
                    break;
                case 'Z':
                    out += IntToZeroStr(time_.millisecond, count == 1 ? 1 : 3);
                    break;
                case 'T':
                    if (depth < kMaxDepth) Append(out, locale_.long_time_format, depth + 1);
                    break;
                case 'A':
                    count = AppendAmPm(out, pattern, pos);
                    break;
                default:
                    out.append(pattern.substr(pos, count));
                    break;
            }
            pos += count;
        }
    }

private:
    // Locale formats may name each other (a short date containing "tt"); one level is all they need.
    static constexpr int kMaxDepth = 2;

    // Copies the morning or afternoon half of an "am/pm" or "a/p" marker as written; returns the
    // pattern characters used.
    std::size_t AppendAmPm(std::string& out, std::string_view pattern, std::size_t pos) const {
        const bool afternoon = time_.hour >= 12;
        if (StartsWithIgnoreCase(pattern, pos, "am/pm")) {
            out.append(pattern.substr(afternoon ? pos + 3 : pos, 2));
            return 5;
        }
        if (StartsWithIgnoreCase(pattern, pos, "a/p")) {
            out += pattern[afternoon ? pos + 2 : pos];
            return 3;
        }
        out += pattern[pos];
        return 1;
    }

    const DateLocale& locale_;
    DateParts date_;
    TimeParts time_;
    int day_of_week_ = -1;
};

}  // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

DateTime EncodeDate(int year, int month, int day) {
    // An invalid date gives 1899-12-30 rather than garbage.
    if (!IsValidDate(year, month, day)) return 0;
    int day_of_year = day;
    for (int m = 1; m < month; ++m) day_of_year += DaysInMonth(year, m);
    const int previous = year - 1;
    return previous * 365 + previous / 4 - previous / 100 + previous / 400 + day_of_year - kDateDelta;
}

bool TryEncodeDate(int year, int month, int day, DateTime& out) {
    if (!IsValidDate(year, month, day)) return false;
    out = EncodeDate(year, month, day);
    return true;
}

DateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    return (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / kMsPerDay;
}

DateTime EncodeDateTime(const DateParts& date, const TimeParts& time) {
    const DateTime day = EncodeDate(date.year, date.month, date.day);
    const DateTime time_of_day = EncodeTime(time.hour, time.minute, time.second, time.millisecond);
    return day >= 0 ? day + time_of_day : day - time_of_day;
}

DateParts DecodeDate(DateTime value) {
    const Stamp stamp = ToStamp(value);
    return stamp.valid ? DayToDate(stamp.day) : DateParts{};
}

TimeParts DecodeTime(DateTime value) {
    const Stamp stamp = ToStamp(value);
    return stamp.valid ? MillisecondToTime(stamp.millisecond) : TimeParts{};
}

DateTime DateOf(DateTime value) {
    return std::trunc(value);
}

int DayOfWeek(DateTime value) {
    const Stamp stamp = ToStamp(value);
    // Outside the calendar there is no weekday; Sunday keeps callers' table look-ups in range.
    return stamp.valid ? stamp.day % 7 + 1 : 1;
}

DateTime IncMonth(DateTime value, int months) {
    const Stamp stamp = ToStamp(value);
    if (!stamp.valid) return value;
    const DateParts date = DayToDate(stamp.day);
    const std::int64_t month_index = std::int64_t{date.year} * 12 + (date.month - 1) + months;
    DateTime result;
    if (month_index < 12) {
        result = EncodeDate(1, 1, 1);
    } else if (month_index >= 10000 * 12) {
        result = EncodeDate(9999, 12, 31);
    } else {
        const int year = static_cast<int>(month_index / 12);
        const int month = static_cast<int>(month_index % 12) + 1;
        result = EncodeDate(year, month, std::min(date.day, DaysInMonth(year, month)));
    }
    const double time_of_day = std::fabs(value - std::trunc(value));
    return result >= 0 ? result + time_of_day : result - time_of_day;
}

const DateLocale& ChineseDateLocale() {
    static const DateLocale locale = [] {
        DateLocale chinese;
        chinese.long_day_names = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
        chinese.short_day_names = {"周日", "周一", "周二", "周三", "周四", "周五", "周六"};
        chinese.long_month_names = {"一月", "二月", "三月", "四月", "五月",   "六月",
                                    "七月", "八月", "九月", "十月", "十一月", "十二月"};
        chinese.short_month_names = {"1月", "2月", "3月", "4月",  "5月",  "6月",
                                     "7月", "8月", "9月", "10月", "11月", "12月"};
        return chinese;
    }();
    return locale;
}

std::string FormatDateTime(std::string_view pattern, DateTime value, const DateLocale& locale) {
    std::string out;
    Formatter(value, locale).Append(out, pattern, 0);
    return out;
}

void FormatClockText(const TimeParts& time, char (&out)[9]) {
    const auto put_two_digits = [&out](int position, int number) {
        number = std::clamp(number, 0, 99);
        out[position] = static_cast<char>('0' + number / 10);
        out[position + 1] = static_cast<char>('0' + number % 10);
    };
    put_two_digits(0, time.hour);
    out[2] = ':';
    put_two_digits(3, time.minute);
    out[5] = ':';
    put_two_digits(6, time.second);
    out[8] = '\0';
}

std::string IntToZeroStr(int value, int width) {
    // A negative value keeps its sign in front of the zeros ("-07"); the width counts the sign.
    // Widths beyond any real use are capped so that a wild argument cannot ask for gigabytes.
    constexpr int kMaxWidth = 64;
    const bool negative = value < 0;
    std::string digits = std::to_string(negative ? -static_cast<std::int64_t>(value) : std::int64_t{value});
    const int target = std::min(width, kMaxWidth) - (negative ? 1 : 0);
    if (static_cast<int>(digits.size()) < target) digits.insert(0, target - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

}  // namespace kalvoro
