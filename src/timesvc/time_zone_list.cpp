#include "timesvc/time_zone_list.h"

#include <charconv>
#include <cmath>

#include "base/gbk.h"

namespace kalvoro {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The next field of `rest`: the text before the next "|", blanks removed; the rest after it stays.
std::string_view NextField(std::string_view& rest) {
    const std::size_t bar = rest.find('|');
    std::string_view field = rest.substr(0, bar);
    rest = bar == std::string_view::npos ? std::string_view{} : rest.substr(bar + 1);
    return TrimBlanks(field);
}

// An optionally signed decimal integer of at most 9 digits, blanks around it allowed; else 0.
int ParseSmallInt(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const std::size_t digits = text.size() - (!text.empty() && text.front() == '-' ? 1 : 0);
    if (digits == 0 || digits > 9) return 0;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return 0;
    return value;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "# year 2026" gives 2026.
int CommentYear(std::string_view comment) {
    comment = TrimBlanks(comment.substr(1));
    constexpr std::string_view kYear = "year";
    if (comment.substr(0, kYear.size()) != kYear) return 0;
    comment = TrimBlanks(comment.substr(kYear.size()));
    std::size_t digits = 0;
    while (digits < comment.size() && IsDigit(comment[digits])) ++digits;
    if (digits != 4) return 0;
    return ParseSmallInt(comment.substr(0, 4));
}

}  // namespace

double ParseUtcOffset(std::string_view text) {
    text = TrimBlanks(text);
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
    const std::size_t point = digits.find('.');
    const std::string_view whole = digits.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : digits.substr(point + 1);
    if (whole.empty() && fraction.empty()) return 0;
    if (whole.size() > 3 || fraction.size() > 6) return 0;
    for (const char c : whole) {
        if (!IsDigit(c)) return 0;
    }
    for (const char c : fraction) {
        if (!IsDigit(c)) return 0;
    }
    double value = 0;
    for (const char c : whole) value = value * 10 + (c - '0');
    double scale = 0.1;
    for (const char c : fraction) {
        value += (c - '0') * scale;
        scale /= 10;
    }
    if (!text.empty() && text.front() == '-') value = -value;
    return std::fabs(value) <= 24 ? value : 0;
}

DstRuleText ParseDstRule(std::string_view text) {
    DstRuleText rule;
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return rule;
    const std::string_view after_month = text.substr(slash + 1);
    const std::size_t blank = after_month.find(' ');
    if (blank == std::string_view::npos) return rule;
    const std::string_view after_day = after_month.substr(blank + 1);
    const std::size_t colon = after_day.find(':');
    if (colon == std::string_view::npos) return rule;
    rule.present = true;
    rule.month = ParseSmallInt(text.substr(0, slash));
    rule.day = ParseSmallInt(after_month.substr(0, blank));
    rule.hour = ParseSmallInt(after_day.substr(0, colon));
    rule.minute = ParseSmallInt(after_day.substr(colon + 1));
    return rule;
}

bool DstRuleDate(const DstRuleText& rule, int year, DateTime& out) {
    if (!rule.present || !IsValidDate(year, rule.month, rule.day)) return false;
    if (rule.hour < 0 || rule.hour > 23 || rule.minute < 0 || rule.minute > 59) return false;
    out = EncodeDate(year, rule.month, rule.day) + EncodeTime(rule.hour, rule.minute, 0);
    return true;
}

TimeZoneList ReadTimeZoneList(std::string_view gbk_bytes, int year) {
    TimeZoneList list;
    // Decoded first: "|" (0x7C) can be the second byte of a GBK character, never part of UTF-8's.
    const std::string text = GbkToUtf8(gbk_bytes);
    const std::string_view all = text;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = all.size();
        const std::string_view line = TrimBlanks(all.substr(start, end - start));
        start = end + 1;
        if (line.empty()) continue;
        if (line.front() == '#') {
            if (const int comment_year = CommentYear(line)) list.DataYear = comment_year;
            continue;
        }

        std::string_view rest = line;
        TCityData city;
        city.UtcOffset = ParseUtcOffset(NextField(rest));
        const std::string country(NextField(rest));
        city.AltName = NextField(rest);
        city.CityName = NextField(rest);
        city.ZoneText = NextField(rest);
        city.PlaceText = NextField(rest);
        city.StartRule = ParseDstRule(NextField(rest));
        city.EndRule = ParseDstRule(NextField(rest));
        city.SystemZone = NextField(rest);
        for (const DstRuleText* rule : {&city.StartRule, &city.EndRule}) {
            DateTime date = 0;
            if (rule->present && !DstRuleDate(*rule, year, date)) {
                list.Countries.clear();
                list.Failed = true;
                return list;
            }
            (rule == &city.StartRule ? city.DstStart : city.DstEnd) = date;
        }

        if (list.Countries.empty() || list.Countries.back().Name != country) {
            // A line without a country has none to join before the first country.
            if (country.empty() && list.Countries.empty()) continue;
            list.Countries.push_back({country, {}});
        }
        list.Countries.back().Cities.push_back(std::move(city));
    }
    return list;
}

}  // namespace kalvoro
