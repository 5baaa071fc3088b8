#include "timesvc/world_time.h"

#include <gtest/gtest.h>

#include <map>

#include "base/gbk.h"

namespace kalvoro {
namespace {

DateTime At(int y, int mo, int d, int h, int mi, int s = 0) {
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s);
}

constexpr double kSecond = 1.0 / 86400;

TEST(CityTime, WholeHoursTowardZeroThenMinutes) {
    const DateTime utc = At(2026, 12, 10, 12, 0);
    struct Case {
        double offset;
        bool daylight;
        DateTime expected;
    };
    for (const Case c : {Case{5.75, false, At(2026, 12, 10, 17, 45)}, Case{-9.5, false, At(2026, 12, 10, 2, 30)},
                         Case{-3.5, true, At(2026, 12, 10, 9, 30)}, Case{8, false, At(2026, 12, 10, 20, 0)},
                         Case{-12, false, At(2026, 12, 10, 0, 0)}, Case{14, false, At(2026, 12, 11, 2, 0)},
                         Case{0, true, At(2026, 12, 10, 13, 0)}}) {
        EXPECT_NEAR(CityTime(utc, c.offset, c.daylight), c.expected, 0.5 * kSecond) << c.offset;
    }
}

TEST(CityTime, MinutesRoundTiesToEven) {
    const DateTime utc = At(2026, 1, 1, 0, 0);
    // 0.5083 h is 30.5 min: the tie goes to 30; 0.525 h is 31.5 min: to 32.
    EXPECT_NEAR(CityTime(utc, 30.5 / 60, false), At(2026, 1, 1, 0, 30), 0.5 * kSecond);
    EXPECT_NEAR(CityTime(utc, 31.5 / 60, false), At(2026, 1, 1, 0, 32), 0.5 * kSecond);
    EXPECT_NEAR(CityTime(utc, -31.5 / 60, false), At(2025, 12, 31, 23, 28), 0.5 * kSecond);
    EXPECT_NEAR(CityTime(utc, 30.4 / 60, false), At(2026, 1, 1, 0, 30), 0.5 * kSecond);
}

TEST(DaylightTime, NorthernAndSouthernPatternsWithTheirBoundaries) {
    const DateTime north_start = At(2026, 3, 30, 2, 0), north_end = At(2026, 10, 26, 3, 0);
    EXPECT_TRUE(InDaylightTime(At(2026, 7, 1, 12, 0), north_start, north_end));
    EXPECT_FALSE(InDaylightTime(At(2026, 12, 1, 12, 0), north_start, north_end));
    // The end 03:00 is daylight time: standard time 01:59:59 is still in it, 02:00:00 no longer.
    constexpr double kHour = 1.0 / 24;
    EXPECT_TRUE(InDaylightTime(north_start, north_start, north_end));
    EXPECT_TRUE(InDaylightTime(north_end - kHour - kSecond, north_start, north_end));
    EXPECT_FALSE(InDaylightTime(north_end - kHour, north_start, north_end));
    EXPECT_FALSE(InDaylightTime(north_start - kSecond, north_start, north_end));

    const DateTime south_start = At(2026, 10, 5, 2, 0), south_end = At(2026, 3, 29, 3, 0);
    EXPECT_TRUE(InDaylightTime(At(2026, 1, 1, 12, 0), south_start, south_end));
    EXPECT_FALSE(InDaylightTime(At(2026, 7, 1, 12, 0), south_start, south_end));
    EXPECT_TRUE(InDaylightTime(south_start, south_start, south_end));
    EXPECT_TRUE(InDaylightTime(south_end - kHour - kSecond, south_start, south_end));
    EXPECT_FALSE(InDaylightTime(south_end - kHour, south_start, south_end));
    EXPECT_FALSE(InDaylightTime(south_start - kSecond, south_start, south_end));
}

TEST(WeekdayRule, NthAndLastWeekdayOfTheMonth) {
    DateTime date = 0;
    // Second Sunday of March 2027 is the 14th; first Sunday of November 2027 the 7th; last Sunday
    // of March 2027 the 28th, of October 2027 the 31st.
    ASSERT_TRUE(WeekdayRuleDate({3, 2, 0, 2, 0}, 2027, date));
    EXPECT_EQ(date, At(2027, 3, 14, 2, 0));
    ASSERT_TRUE(WeekdayRuleDate({11, 1, 0, 2, 0}, 2027, date));
    EXPECT_EQ(date, At(2027, 11, 7, 2, 0));
    ASSERT_TRUE(WeekdayRuleDate({3, 5, 0, 1, 0}, 2027, date));
    EXPECT_EQ(date, At(2027, 3, 28, 1, 0));
    ASSERT_TRUE(WeekdayRuleDate({10, 5, 0, 2, 0}, 2027, date));
    EXPECT_EQ(date, At(2027, 10, 31, 2, 0));
    ASSERT_TRUE(WeekdayRuleDate({4, 5, 5, 0, 0}, 2026, date));  // last Friday of April 2026
    EXPECT_EQ(date, At(2026, 4, 24, 0, 0));
    EXPECT_FALSE(WeekdayRuleDate({13, 1, 0, 0, 0}, 2027, date));
    EXPECT_FALSE(WeekdayRuleDate({3, 6, 0, 0, 0}, 2027, date));
    EXPECT_FALSE(WeekdayRuleDate({3, 1, 7, 0, 0}, 2027, date));
}

const char kFile[] =
    "# year 2026\r\n"
    "0|英国|London|伦敦|格林尼治|北纬51°30′|3/30 2:00|10/26 3:00|GMT Standard Time\r\n"
    "8|中国|Beijing|北京|北京时间|北纬39°54′\r\n"
    "10|澳大利亚|Sydney|悉尼|东部|南纬33°52′|10/5 2:00|3/29 3:00|AUS Eastern Standard Time\r\n";

WorldTimeModel Model(int year = 2026, IZoneRules* rules = nullptr) {
    return WorldTimeModel(ReadTimeZoneList(Utf8ToGbk(kFile), year), year, rules);
}

TEST(WorldTimeModel, NorthernMarkOnFirstJulyNotOnFirstDecember) {
    WorldTimeModel model = Model();
    model.SelectCountry(0);
    ASSERT_TRUE(model.SelectCity(0, At(2026, 7, 1, 12, 0)));
    EXPECT_EQ(model.DstMark(), "(夏时制)");
    EXPECT_EQ(model.TimeLine(At(2026, 7, 1, 12, 0)), "2026年07月01日 13:00:00 (夏时制)");
    EXPECT_EQ(model.Heading(), "英国 - 伦敦 London");
    EXPECT_EQ(model.ZoneLine(), "时区: 格林尼治");
    EXPECT_EQ(model.PlaceLine(), "位置: 北纬51°30′");
    EXPECT_TRUE(model.DstLinesVisible());
    EXPECT_EQ(model.DstStartLine(), "夏时制开始日期: 2026年03月30日 02:00");
    EXPECT_EQ(model.DstEndLine(), "夏时制结束日期: 2026年10月26日 03:00");

    ASSERT_TRUE(model.SelectCity(0, At(2026, 12, 1, 12, 0)));
    EXPECT_EQ(model.DstMark(), "");
    EXPECT_EQ(model.TimeLine(At(2026, 12, 1, 12, 0)), "2026年12月01日 12:00:00 ");
}

TEST(WorldTimeModel, SouthernMarkOnFirstJanuaryNotOnFirstJuly) {
    WorldTimeModel model = Model();
    model.SelectCountry(2);
    ASSERT_TRUE(model.SelectCity(0, At(2026, 1, 1, 0, 0)));
    EXPECT_EQ(model.DstMark(), "(夏时制)");
    EXPECT_EQ(model.TimeLine(At(2026, 1, 1, 0, 0)), "2026年01月01日 11:00:00 (夏时制)");
    ASSERT_TRUE(model.SelectCity(0, At(2026, 7, 1, 0, 0)));
    EXPECT_EQ(model.DstMark(), "");
}

TEST(WorldTimeModel, ACityWithoutRulesClearsTheMarkAndTheDateLines) {
    WorldTimeModel model = Model();
    model.SelectCountry(0);
    model.SelectCity(0, At(2026, 7, 1, 12, 0));
    ASSERT_EQ(model.DstMark(), "(夏时制)");
    model.SelectCountry(1);
    EXPECT_FALSE(model.PanelVisible());
    ASSERT_TRUE(model.SelectCity(0, At(2026, 7, 1, 12, 0)));
    EXPECT_EQ(model.DstMark(), "");
    EXPECT_FALSE(model.DstLinesVisible());
    EXPECT_EQ(model.DstStartLine(), "");
    EXPECT_EQ(model.TimeLine(At(2026, 7, 1, 12, 0)), "2026年07月01日 20:00:00 ");
    EXPECT_FALSE(model.SelectCity(5, At(2026, 7, 1, 12, 0)));
    EXPECT_FALSE(model.PanelVisible());
}

class TableZoneRules final : public IZoneRules {
public:
    std::optional<ZoneYearRules> ForYear(const std::string& zone, int) override {
        const auto found = rules.find(zone);
        if (found == rules.end()) return std::nullopt;
        return found->second;
    }
    std::map<std::string, ZoneYearRules> rules;
};

TEST(WorldTimeModel, AnotherYearTakesTheSystemsRulesOrSaysWhoseDatesTheyAre) {
    TableZoneRules system;
    system.rules["GMT Standard Time"] = {true, {3, 5, 0, 1, 0}, {10, 5, 0, 2, 0}};
    WorldTimeModel model = Model(2027, &system);
    model.SelectCountry(0);
    ASSERT_TRUE(model.SelectCity(0, At(2027, 3, 29, 12, 0)));  // the day after the 2027 change
    EXPECT_EQ(model.DstStartLine(), "夏时制开始日期: 2027年03月28日 01:00");
    EXPECT_EQ(model.DstEndLine(), "夏时制结束日期: 2027年10月31日 02:00");
    EXPECT_EQ(model.DstMark(), "(夏时制)");

    // Sydney is unknown to this system: the file's dates in this year, marked as another year's.
    model.SelectCountry(2);
    ASSERT_TRUE(model.SelectCity(0, At(2027, 1, 1, 0, 0)));
    EXPECT_EQ(model.DstStartLine(), "夏时制开始日期: 2027年10月05日 02:00");
    EXPECT_EQ(model.DstEndLine(), "夏时制结束日期: 2027年03月29日 03:00 (2026年的数据)");

    // The file's own year needs no system.
    WorldTimeModel same_year = Model(2026, &system);
    same_year.SelectCountry(0);
    same_year.SelectCity(0, At(2026, 7, 1, 0, 0));
    EXPECT_EQ(same_year.DstStartLine(), "夏时制开始日期: 2026年03月30日 02:00");

    // A zone the system knows without daylight-saving time that year loses it.
    system.rules["AUS Eastern Standard Time"] = {false, {}, {}};
    WorldTimeModel abolished = Model(2027, &system);
    abolished.SelectCountry(2);
    abolished.SelectCity(0, At(2027, 1, 1, 0, 0));
    EXPECT_FALSE(abolished.DstLinesVisible());
    EXPECT_EQ(abolished.DstMark(), "");
}

}  // namespace
}  // namespace kalvoro
