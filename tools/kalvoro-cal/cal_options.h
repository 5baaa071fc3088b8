#pragma once
// The command line of kalvoro-cal.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/date_time.h"

namespace kalvoro::cal {

// A date given on the command line, kept as typed for the JSON "date" field.
struct GivenDate {
    std::string text;  // "YYYY-MM-DD" or "YYYY-MM-DD HH:MM"
    DateTime value = 0;
};

struct CalOptions {
    enum class Mode { kMonth, kYear, kDates, kHelp };
    Mode mode = Mode::kMonth;
    bool json = false;
    int year = 0;                          // kMonth, kYear; 0 = the current year and month
    int month = 0;                         // kMonth
    std::vector<GivenDate> dates;          // kDates, before the range
    std::optional<GivenDate> range_start;  // kDates: every day from start to end
    std::optional<GivenDate> range_end;
};

struct ParseResult {
    std::optional<CalOptions> options;
    std::string error;  // set when options is empty
};

ParseResult ParseArguments(std::span<const std::string> arguments);

// "YYYY-MM-DD" or "YYYY-MM-DD HH:MM" for a real date of the years 1..9999.
std::optional<GivenDate> ParseGivenDate(std::string_view text, bool allow_time);

std::string UsageText();

}  // namespace kalvoro::cal
