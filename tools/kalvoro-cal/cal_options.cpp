#include "cal_options.h"

#include <charconv>

namespace kalvoro::cal {
namespace {

bool ParseDigits(std::string_view text, int& value) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

std::string Quote(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

ParseResult Fail(std::string message) {
    return {std::nullopt, std::move(message)};
}

}  // namespace

std::optional<GivenDate> ParseGivenDate(std::string_view text, bool allow_time) {
    const bool has_time = text.size() == 16;
    if (text.size() != 10 && !(allow_time && has_time)) return std::nullopt;
    if (text[4] != '-' || text[7] != '-') return std::nullopt;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    if (!ParseDigits(text.substr(0, 4), year) || !ParseDigits(text.substr(5, 2), month) ||
        !ParseDigits(text.substr(8, 2), day)) {
        return std::nullopt;
    }
    if (has_time) {
        if (text[10] != ' ' || text[13] != ':') return std::nullopt;
        if (!ParseDigits(text.substr(11, 2), hour) || !ParseDigits(text.substr(14, 2), minute)) return std::nullopt;
        if (hour > 23 || minute > 59) return std::nullopt;
    }
    DateTime value = 0;
    if (!TryEncodeDate(year, month, day, value)) return std::nullopt;
    if (has_time) value += EncodeTime(hour, minute, 0);
    return GivenDate{std::string(text), value};
}

ParseResult ParseArguments(std::span<const std::string> arguments) {
    CalOptions options;
    bool dates_wanted = false;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.mode = CalOptions::Mode::kHelp;
            return {options, {}};
        }
        if (argument == "--date") {
            dates_wanted = true;
        } else if (argument == "--json") {
            dates_wanted = true;
            options.json = true;
        } else if (argument == "--range") {
            if (options.range_start) return Fail("--range given twice");
            if (i + 2 >= arguments.size()) return Fail("--range needs START and END dates");
            options.range_start = ParseGivenDate(arguments[i + 1], false);
            options.range_end = ParseGivenDate(arguments[i + 2], false);
            if (!options.range_start)
                return Fail("bad --range START " + Quote(arguments[i + 1]) + ", expected YYYY-MM-DD");
            if (!options.range_end) return Fail("bad --range END " + Quote(arguments[i + 2]) + ", expected YYYY-MM-DD");
            if (options.range_end->value < options.range_start->value) return Fail("--range END is before START");
            i += 2;
        } else if (argument.size() > 1 && argument[0] == '-' && !(argument[1] >= '0' && argument[1] <= '9')) {
            return Fail("unknown option " + Quote(argument));
        } else {
            positional.push_back(argument);
        }
    }

    if (dates_wanted) {
        options.mode = CalOptions::Mode::kDates;
        for (const std::string& text : positional) {
            auto date = ParseGivenDate(text, true);
            if (!date) return Fail("bad date " + Quote(text) + ", expected YYYY-MM-DD or \"YYYY-MM-DD HH:MM\"");
            options.dates.push_back(std::move(*date));
        }
        if (options.dates.empty() && !options.range_start) return Fail("--date and --json need at least one date");
        return {options, {}};
    }
    if (options.range_start) return Fail("--range needs --date or --json");
    if (positional.size() > 2) return Fail("too many arguments");
    if (!positional.empty()) {
        if (!ParseDigits(positional[0], options.year) || options.year < 1 || options.year > 9999) {
            return Fail("bad year " + Quote(positional[0]) + ", expected 1 to 9999");
        }
        options.mode = CalOptions::Mode::kYear;
    }
    if (positional.size() == 2) {
        if (!ParseDigits(positional[1], options.month) || options.month < 1 || options.month > 12) {
            return Fail("bad month " + Quote(positional[1]) + ", expected 1 to 12");
        }
        options.mode = CalOptions::Mode::kMonth;
    }
    return {options, {}};
}

std::string UsageText() {
    return "Usage: kalvoro-cal [YEAR [MONTH]]\n"
           "       kalvoro-cal --date DATE... [--range START END]\n"
           "       kalvoro-cal --json DATE... [--range START END]\n"
           "\n"
           "Without options, shows a month (or with YEAR alone the whole year) with the lunar day\n"
           "under each day number: the month name on the first of a lunar month, or the solar term.\n"
           "Default: the current month.\n"
           "\n"
           "  --date DATE...        the Gregorian, lunar and stem-branch lines of each date, with its\n"
           "                        solar term and festivals when it has them\n"
           "  --json DATE...        one JSON object per line for each date\n"
           "  --range START END     every day from START to END (YYYY-MM-DD), with --date or --json\n"
           "  -h, --help            this text\n"
           "\n"
           "DATE is YYYY-MM-DD or \"YYYY-MM-DD HH:MM\" (the time of day decides the year's change at\n"
           "立春). Lunar dates cover 1900-01-31 to 2100-12-31.\n";
}

}  // namespace kalvoro::cal
