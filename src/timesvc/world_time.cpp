#include "timesvc/world_time.h"

#include <cmath>

namespace kalvoro {
namespace {

constexpr double kHour = 1.0 / 24;
constexpr double kMinute = 1.0 / 1440;

double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::string FormatDstDate(DateTime value) {
    return FormatDateTime("yyyy年mm月dd日 hh:nn", value);
}

}  // namespace

DateTime CityTime(DateTime utc, double offset_hours, bool daylight) {
    if (!std::isfinite(offset_hours)) offset_hours = 0;
    int hours = static_cast<int>(std::trunc(offset_hours));
    const double rest = offset_hours - hours;
    const int minutes = rest != 0 ? static_cast<int>(RoundHalfEven(rest * 60)) : 0;
    if (daylight) ++hours;
    return utc + hours * kHour + minutes * kMinute;
}

bool InDaylightTime(DateTime t, DateTime start, DateTime end) {
    // Compared in whole milliseconds: a sum of day fractions lands a hair beside the exact instant.
    const auto ms = [](DateTime value) { return std::llround(value * 86400000.0); };
    const long long now = ms(t);
    // The end is written in daylight-saving time, so it is compared with the clock as it reads then.
    const long long daylight = now + 3600000;
    if (end >= start) return ms(start) <= now && daylight < ms(end);
    return now >= ms(start) || daylight < ms(end);
}

bool WeekdayRuleDate(const WeekdayRule& rule, int year, DateTime& out) {
    if (rule.month < 1 || rule.month > 12 || rule.week < 1 || rule.week > 5 || rule.weekday < 0 || rule.weekday > 6 ||
        rule.hour < 0 || rule.hour > 23 || rule.minute < 0 || rule.minute > 59 || !IsValidDate(year, rule.month, 1)) {
        return false;
    }
    const DateTime first = EncodeDate(year, rule.month, 1);
    const int first_weekday = DayOfWeek(first) - 1;  // 0 Sunday
    int day = 1 + (rule.weekday - first_weekday + 7) % 7 + (rule.week - 1) * 7;
    while (day > DaysInMonth(year, rule.month)) day -= 7;
    out = EncodeDate(year, rule.month, day) + EncodeTime(rule.hour, rule.minute, 0);
    return true;
}

WorldTimeModel::WorldTimeModel(TimeZoneList list, int year, IZoneRules* zone_rules)
    : list_(std::move(list)), year_(year) {
    if (list_.DataYear != 0 && list_.DataYear != year_) AdjustToYear(zone_rules);
}

void WorldTimeModel::AdjustToYear(IZoneRules* zone_rules) {
    other_year_note_ = " (" + std::to_string(list_.DataYear) + "年的数据)";
    for (TCountryData& country : list_.Countries) {
        for (TCityData& city : country.Cities) {
            if (city.DstStart == 0 || !zone_rules || city.SystemZone.empty()) continue;
            const std::optional<ZoneYearRules> rules = zone_rules->ForYear(city.SystemZone, year_);
            if (!rules) continue;
            DateTime start = 0, end = 0;
            if (rules->has_dst) {
                if (!WeekdayRuleDate(rules->start, year_, start) || !WeekdayRuleDate(rules->end, year_, end)) continue;
            }
            city.DstStart = start;
            city.DstEnd = end;
            // Worked out for this year: the note is not shown for it.
            city.StartRule = {};
        }
    }
}

const TCountryData* WorldTimeModel::Country() const {
    if (country_ < 0 || country_ >= static_cast<int>(list_.Countries.size())) return nullptr;
    return &list_.Countries[static_cast<std::size_t>(country_)];
}

const TCityData* WorldTimeModel::City() const {
    const TCountryData* country = Country();
    if (!country || city_ < 0 || city_ >= static_cast<int>(country->Cities.size())) return nullptr;
    return &country->Cities[static_cast<std::size_t>(city_)];
}

void WorldTimeModel::SelectCountry(int index) {
    country_ = index >= 0 && index < static_cast<int>(list_.Countries.size()) ? index : -1;
    city_ = -1;
}

bool WorldTimeModel::SelectCity(int index, DateTime utc_now) {
    const TCountryData* country = Country();
    if (!country || index < 0 || index >= static_cast<int>(country->Cities.size())) {
        city_ = -1;
        return false;
    }
    city_ = index;
    const TCityData& city = *City();
    cur_offset_ = city.UtcOffset;
    dst_mark_.clear();
    if (city.DstStart != 0 && InDaylightTime(CityNow(utc_now), city.DstStart, city.DstEnd)) dst_mark_ = kDstMarkText;
    return true;
}

std::string WorldTimeModel::Heading() const {
    const TCityData* city = City();
    if (!city) return {};
    return Country()->Name + " - " + city->CityName + " " + city->AltName;
}

std::string WorldTimeModel::ZoneLine() const {
    const TCityData* city = City();
    return city ? "时区: " + city->ZoneText : std::string{};
}

std::string WorldTimeModel::PlaceLine() const {
    const TCityData* city = City();
    return city ? "位置: " + city->PlaceText : std::string{};
}

bool WorldTimeModel::DstLinesVisible() const {
    const TCityData* city = City();
    return city && city->DstStart != 0;
}

std::string WorldTimeModel::DstStartLine() const {
    if (!DstLinesVisible()) return {};
    return "夏时制开始日期: " + FormatDstDate(City()->DstStart);
}

std::string WorldTimeModel::DstEndLine() const {
    if (!DstLinesVisible()) return {};
    const TCityData& city = *City();
    // Dates still taken from another year's file say so.
    const bool from_other_year = !other_year_note_.empty() && city.StartRule.present;
    return "夏时制结束日期: " + FormatDstDate(city.DstEnd) + (from_other_year ? other_year_note_ : std::string{});
}

std::string WorldTimeModel::TimeLine(DateTime utc_now) const {
    if (!PanelVisible()) return {};
    return FormatDateTime("yyyy年mm月dd日 hh:nn:ss", CityNow(utc_now)) + " " + dst_mark_;
}

}  // namespace kalvoro
