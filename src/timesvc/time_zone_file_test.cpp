// The shipped "TimeZone.lst" against daylight-saving rules written out by hand from the countries'
// laws, independent of the script that made the file.

#include <gtest/gtest.h>

#include <cmath>

#include "base/file_store.h"
#include "timesvc/world_time.h"
#include "timesvc/zone_rules_by_hand.h"

namespace kalvoro {
namespace {

using namespace testing;

struct Located {
    int country = -1;
    int city = -1;
};

Located Find(const WorldTimeModel& model, const std::string& alt_name) {
    const auto& countries = model.Countries();
    for (std::size_t c = 0; c < countries.size(); ++c) {
        for (std::size_t i = 0; i < countries[c].Cities.size(); ++i) {
            if (countries[c].Cities[i].AltName == alt_name) return {static_cast<int>(c), static_cast<int>(i)};
        }
    }
    return {};
}

double ModelOffset(WorldTimeModel& model, const std::string& alt_name, DateTime utc) {
    const Located at = Find(model, alt_name);
    model.SelectCountry(at.country);
    if (!model.SelectCity(at.city, utc)) return NAN;
    return std::round((model.CityNow(utc) - utc) / kHour * 4) / 4;
}

class ShippedTimeZoneList : public ::testing::Test {
protected:
    void SetUp() override {
        bytes = DiskFileStore().ReadAll(std::string(KALVORO_SOURCE_DIR) + "/resources/timesvc/TimeZone.lst");
        ASSERT_TRUE(bytes);
    }
    std::optional<std::string> bytes;
};

TEST_F(ShippedTimeZoneList, HoldsManyCitiesGroupedByCountryForItsYear) {
    const TimeZoneList list = ReadTimeZoneList(*bytes, 2026);
    ASSERT_FALSE(list.Failed);
    EXPECT_GE(list.DataYear, 2026);
    std::size_t cities = 0;
    for (const TCountryData& country : list.Countries) {
        EXPECT_FALSE(country.Name.empty());
        for (const TCityData& city : country.Cities) {
            ++cities;
            EXPECT_FALSE(city.AltName.empty());
            EXPECT_FALSE(city.ZoneText.empty());
            EXPECT_FALSE(city.PlaceText.empty());
            EXPECT_EQ(city.DstStart != 0, !city.SystemZone.empty()) << city.AltName;
        }
    }
    EXPECT_GE(cities, 150u);
    // Each country once: the file keeps a country's cities together.
    for (std::size_t a = 0; a < list.Countries.size(); ++a) {
        for (std::size_t b = a + 1; b < list.Countries.size(); ++b) {
            EXPECT_NE(list.Countries[a].Name, list.Countries[b].Name);
        }
    }
}

TEST_F(ShippedTimeZoneList, NewYorkLondonSydneyAndBeijingAgreeWithTheirRulesAllYear) {
    const int year = ReadTimeZoneList(*bytes, 2026).DataYear;
    WorldTimeModel model(ReadTimeZoneList(*bytes, year), year, nullptr);
    // Every six hours of the year, and the minutes around each change.
    std::vector<DateTime> instants;
    for (DateTime t = EncodeDate(year, 1, 1); t < EncodeDate(year + 1, 1, 1); t += 6 * kHour) instants.push_back(t);
    for (const DateTime change :
         {EncodeDate(year, 3, SundayOf(year, 3, 2)) + 7 * kHour,
          EncodeDate(year, 11, SundayOf(year, 11, 1)) + 6 * kHour, EncodeDate(year, 3, SundayOf(year, 3, 5)) + kHour,
          EncodeDate(year, 10, SundayOf(year, 10, 5)) + kHour, EncodeDate(year, 4, SundayOf(year, 4, 1)) - 8 * kHour,
          EncodeDate(year, 10, SundayOf(year, 10, 1)) - 8 * kHour}) {
        for (const double minutes : {-61.0, -59.0, -1.0, 1.0, 59.0, 61.0}) instants.push_back(change + minutes / 1440);
    }
    for (const DateTime utc : instants) {
        const std::string when = FormatDateTime("yyyy-mm-dd hh:nn", utc);
        EXPECT_EQ(ModelOffset(model, "New York", utc), NewYorkOffset(utc, year)) << when;
        EXPECT_EQ(ModelOffset(model, "London", utc), LondonOffset(utc, year)) << when;
        EXPECT_EQ(ModelOffset(model, "Sydney", utc), SydneyOffset(utc, year)) << when;
        EXPECT_EQ(ModelOffset(model, "Beijing", utc), 8) << when;
    }
    EXPECT_EQ(ModelOffset(model, "Kathmandu", EncodeDate(year, 6, 1)), 5.75);
}

}  // namespace
}  // namespace kalvoro
