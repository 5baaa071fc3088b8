#pragma once
// "TimeZone.lst": the cities of the world-time window, one a line, GBK, CR LF:
//
//   offset|country|second name|city|zone text|position text|DST start|DST end[|system zone]
//   -5|美国|New York|纽约|...|...|3/8 2:00|11/1 2:00|Eastern Standard Time
//
// Fields are split at "|" with surrounding blanks removed; missing trailing fields are empty.
// Consecutive lines with the same country form one country. The daylight-saving rules are
// "month/day hour:minute" in the city's local time, for one year only. A line starting with "#" is
// a comment; "# year 2026" names the year the rules were made for. The ninth field, which older
// readers ignore, names the zone in the system's time-zone database so the dates can be worked
// out again in another year.

#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"

namespace kalvoro {

inline constexpr char kTimeZoneFileName[] = "TimeZone.lst";

// One "month/day hour:minute" rule as written; present is false when it lacks the "/", the blank
// after the day or the ":".
struct DstRuleText {
    bool present = false;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

struct TCityData {
    std::string CityName;
    std::string AltName;
    std::string ZoneText;
    std::string PlaceText;
    DateTime DstStart = 0;  // 0: no daylight-saving time
    DateTime DstEnd = 0;
    double UtcOffset = 0;
    std::string SystemZone;  // the ninth field; empty when not given
    DstRuleText StartRule;
    DstRuleText EndRule;
};

struct TCountryData {
    std::string Name;
    std::vector<TCityData> Cities;
};

struct TimeZoneList {
    std::vector<TCountryData> Countries;
    int DataYear = 0;     // from "# year NNNN"; 0 when the file does not say
    bool Failed = false;  // a rule was not a valid date: the lists stay empty
};

// The offset field: a decimal number with a point ("5.75", "-9.5"); anything else, and anything
// outside -24..24 hours, gives 0.
double ParseUtcOffset(std::string_view text);

// The rule reader: cut at the first "/", then the first blank, then the first ":"; each number not
// readable gives 0.
DstRuleText ParseDstRule(std::string_view text);

// The date-time of a rule in the given year; false when it is not a valid date and time.
bool DstRuleDate(const DstRuleText& rule, int year, DateTime& out);

// Reads the file's bytes, building the rules' dates in `year` (the local year when the window
// opens). A rule with all its parts that is not a valid date ends the reading: the result is then
// empty and Failed is set. Lines without a country before any country was read are skipped.
TimeZoneList ReadTimeZoneList(std::string_view gbk_bytes, int year);

}  // namespace kalvoro
