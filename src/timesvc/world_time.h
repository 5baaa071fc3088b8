#pragma once
// The world-time window's rules without a window: the chosen country and city, the city's time
// (CityNow), its daylight-saving mark and the texts of the detail panel.

#include <optional>
#include <string>

#include "base/date_time.h"
#include "timesvc/time_zone_list.h"

namespace kalvoro {

inline constexpr char kWorldTimeCaption[] = "城市时间查询";
inline constexpr char kDstMarkText[] = "(夏时制)";

// The time at `offset_hours` from UTC: whole hours toward zero, the rest in minutes rounded to the
// nearest (ties to even), one hour more in daylight-saving time. -3.5 is -3 h and -30 min.
DateTime CityTime(DateTime utc, double offset_hours, bool daylight);

// Whether standard time `t` lies in daylight-saving time. The start is a standard-time wall clock
// reading and the end a daylight-time one, as the clocks show them at the change: start <= t and
// t + 1 h < end when the period lies within the year (north), t >= start or t + 1 h < end when it
// spans the new year (south).
bool InDaylightTime(DateTime t, DateTime start, DateTime end);

// A rule as the system's time-zone database gives it: the week-th weekday of a month (week 5 is
// the last), at hour:minute local time.
struct WeekdayRule {
    int month = 0;    // 1..12
    int week = 0;     // 1..5
    int weekday = 0;  // 0 Sunday .. 6 Saturday
    int hour = 0;
    int minute = 0;
};
// The date-time of the rule in a year; false when the rule is not one.
bool WeekdayRuleDate(const WeekdayRule& rule, int year, DateTime& out);

struct ZoneYearRules {
    bool has_dst = false;
    WeekdayRule start;  // in standard time
    WeekdayRule end;    // in daylight-saving time
};

// The system's time-zone database; nothing when it does not know the zone.
class IZoneRules {
public:
    virtual ~IZoneRules() = default;
    virtual std::optional<ZoneYearRules> ForYear(const std::string& zone, int year) = 0;
};

class WorldTimeModel {
public:
    // `list` was read with `year`, the local year at opening. When the file's rules were made for
    // another year, each city's dates are worked out again from the system's rules where it knows
    // the zone; otherwise the panel says whose year the dates are.
    WorldTimeModel(TimeZoneList list, int year, IZoneRules* zone_rules);

    const std::vector<TCountryData>& Countries() const { return list_.Countries; }
    int CountryIndex() const { return country_; }
    const TCountryData* Country() const;
    // Chooses a country; no city is selected until SelectCity.
    void SelectCountry(int index);
    // Selects a city of the chosen country and decides its daylight mark; false for a bad index.
    bool SelectCity(int index, DateTime utc_now);
    void Deselect() { city_ = -1; }

    bool PanelVisible() const { return city_ >= 0; }
    const TCityData* City() const;
    double CurOffset() const { return cur_offset_; }
    const std::string& DstMark() const { return dst_mark_; }
    DateTime CityNow(DateTime utc_now) const { return CityTime(utc_now, cur_offset_, !dst_mark_.empty()); }

    std::string Heading() const;
    std::string ZoneLine() const;
    std::string PlaceLine() const;
    bool DstLinesVisible() const;
    std::string DstStartLine() const;
    std::string DstEndLine() const;
    std::string TimeLine(DateTime utc_now) const;

private:
    void AdjustToYear(IZoneRules* zone_rules);

    TimeZoneList list_;
    int year_;
    int country_ = -1;
    int city_ = -1;
    double cur_offset_ = 0;
    std::string dst_mark_;
    std::string other_year_note_;  // for cities whose dates could not be worked out for this year
};

}  // namespace kalvoro
