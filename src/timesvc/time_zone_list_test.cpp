#include "timesvc/time_zone_list.h"

#include <gtest/gtest.h>

#include "base/gbk.h"

namespace kalvoro {
namespace {

TimeZoneList Read(std::string_view utf8, int year = 2026) {
    return ReadTimeZoneList(Utf8ToGbk(utf8), year);
}

DateTime At(int y, int mo, int d, int h, int mi) {
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, 0);
}

TEST(TimeZoneList, ReadsTheEightFieldsWithBlanksRemoved) {
    const TimeZoneList list =
        Read("  -3 | 阿根廷 | Buenos Aires | 布宜诺斯艾利斯 | 阿根廷时间 | 南纬34°36′ | 3/30 2:00 | 10/26 3:00 \r\n");
    ASSERT_EQ(list.Countries.size(), 1u);
    EXPECT_EQ(list.Countries[0].Name, "阿根廷");
    ASSERT_EQ(list.Countries[0].Cities.size(), 1u);
    const TCityData& city = list.Countries[0].Cities[0];
    EXPECT_EQ(city.UtcOffset, -3);
    EXPECT_EQ(city.AltName, "Buenos Aires");
    EXPECT_EQ(city.CityName, "布宜诺斯艾利斯");
    EXPECT_EQ(city.ZoneText, "阿根廷时间");
    EXPECT_EQ(city.PlaceText, "南纬34°36′");
    EXPECT_EQ(city.DstStart, At(2026, 3, 30, 2, 0));
    EXPECT_EQ(city.DstEnd, At(2026, 10, 26, 3, 0));
    EXPECT_EQ(city.SystemZone, "");
    EXPECT_EQ(list.DataYear, 0);
}

TEST(TimeZoneList, MissingTrailingFieldsAreEmptyAndGiveNoDaylightTime) {
    const TimeZoneList list = Read("5.5|印度|Kolkata|加尔各答\r\n\r\n   \r\n");
    ASSERT_EQ(list.Countries.size(), 1u);
    const TCityData& city = list.Countries[0].Cities[0];
    EXPECT_EQ(city.UtcOffset, 5.5);
    EXPECT_EQ(city.ZoneText, "");
    EXPECT_EQ(city.PlaceText, "");
    EXPECT_EQ(city.DstStart, 0);
    EXPECT_EQ(city.DstEnd, 0);
}

TEST(TimeZoneList, GroupsConsecutiveCountriesOnly) {
    const TimeZoneList list = Read(
        "8|中国|Beijing|北京\r\n8|中国|Shanghai|上海\r\n9|日本|Tokyo|东京\r\n8|中国|Hong Kong|香港\r\n"
        "9||Nowhere|无\r\n");
    ASSERT_EQ(list.Countries.size(), 4u);
    EXPECT_EQ(list.Countries[0].Name, "中国");
    EXPECT_EQ(list.Countries[0].Cities.size(), 2u);
    EXPECT_EQ(list.Countries[1].Name, "日本");
    EXPECT_EQ(list.Countries[2].Name, "中国");
    EXPECT_EQ(list.Countries[2].Cities[0].CityName, "香港");
    EXPECT_EQ(list.Countries[3].Name, "") << "an empty country after another one is a country of its own";
}

TEST(TimeZoneList, LinesWithoutACountryBeforeAnyCountryAreSkipped) {
    const TimeZoneList list = Read("1||A|甲\r\n|\r\n8|中国|Beijing|北京\r\n");
    ASSERT_EQ(list.Countries.size(), 1u);
    EXPECT_EQ(list.Countries[0].Cities.size(), 1u);
}

TEST(TimeZoneList, CommentsAreSkippedAndNameTheYear) {
    const TimeZoneList list = Read(
        "# year 2026: only this year\r\n#x|y|z\r\n-5|美国|New York|纽约|||3/8 2:00|11/1 2:00|Eastern Standard Time");
    EXPECT_EQ(list.DataYear, 2026);
    ASSERT_EQ(list.Countries.size(), 1u);
    EXPECT_EQ(list.Countries[0].Cities[0].SystemZone, "Eastern Standard Time");
    EXPECT_EQ(Read("# year 20261\r\n").DataYear, 0);
    EXPECT_EQ(Read("# yearly\r\n").DataYear, 0);
}

TEST(TimeZoneList, AFieldSeparatorInsideAGbkCharacterDoesNotSplit) {
    // 珂 is 0xE7 0x7C in GBK: its second byte is "|".
    const TimeZoneList list = Read("8|中国|Ke|珂城|区|位");
    ASSERT_EQ(list.Countries.size(), 1u);
    EXPECT_EQ(list.Countries[0].Cities[0].CityName, "珂城");
    EXPECT_EQ(list.Countries[0].Cities[0].ZoneText, "区");
}

TEST(UtcOffset, DecimalNumbersWithAPointElseZero) {
    struct Case {
        const char* text;
        double value;
    };
    for (const Case c : {Case{"8", 8},    Case{"5.75", 5.75}, Case{"-9.5", -9.5},     Case{"-3.5", -3.5},
                         Case{"+2", 2},   Case{".5", 0.5},    Case{"5.", 5},          Case{"abc", 0},
                         Case{"", 0},     Case{"-", 0},       Case{".", 0},           Case{"5,75", 0},
                         Case{"1e1", 0},  Case{"nan", 0},     Case{"inf", 0},         Case{"24", 24},
                         Case{"24.5", 0}, Case{"-25", 0},     Case{"99999999999", 0}, Case{"5 5", 0}}) {
        EXPECT_DOUBLE_EQ(ParseUtcOffset(c.text), c.value) << c.text;
    }
}

TEST(DstRule, CutsAtSlashBlankAndColon) {
    const DstRuleText rule = ParseDstRule("10/5 2:30");
    EXPECT_TRUE(rule.present);
    EXPECT_EQ(rule.month, 10);
    EXPECT_EQ(rule.day, 5);
    EXPECT_EQ(rule.hour, 2);
    EXPECT_EQ(rule.minute, 30);
    EXPECT_FALSE(ParseDstRule("").present);
    EXPECT_FALSE(ParseDstRule("3-30 2:00").present);
    EXPECT_FALSE(ParseDstRule("3/30").present);
    EXPECT_FALSE(ParseDstRule("3/30 200").present);
    const DstRuleText unreadable = ParseDstRule("x/y z:w");
    EXPECT_TRUE(unreadable.present);
    EXPECT_EQ(unreadable.month, 0);
    EXPECT_EQ(unreadable.minute, 0);
}

TEST(DstRule, AnInvalidDateEndsTheReadingWithEmptyLists) {
    const char* kLead = "8|中国|Beijing|北京\r\n1|法国|Paris|巴黎|||";
    for (const char* rule : {"2/29 2:00|10/1 2:00", "0/1 2:00|10/1 2:00", "13/1 2:00|10/1 2:00", "4/31 2:00|",
                             "3/30 24:00|", "3/30 2:60|", "3/0 2:00|", "3/30 2:00|x/y z:w", "3/30 -1:00|"}) {
        const TimeZoneList list = Read(std::string(kLead) + rule, 2026);
        EXPECT_TRUE(list.Failed) << rule;
        EXPECT_TRUE(list.Countries.empty()) << rule;
    }
    // 29 February is a valid rule in a leap year; the boundaries of the clock are too.
    const TimeZoneList leap = Read(std::string(kLead) + "2/29 0:00|12/31 23:59", 2028);
    EXPECT_FALSE(leap.Failed);
    ASSERT_EQ(leap.Countries.size(), 2u);
    EXPECT_EQ(leap.Countries[1].Cities[0].DstStart, At(2028, 2, 29, 0, 0));
    EXPECT_EQ(leap.Countries[1].Cities[0].DstEnd, At(2028, 12, 31, 23, 59));
}

TEST(TimeZoneList, JunkGivesADefinedResult) {
    std::string junk;
    std::uint32_t state = 1;
    for (int i = 0; i < (1 << 20); ++i) {
        state = state * 1664525u + 1013904223u;
        junk += static_cast<char>(state >> 24);
    }
    const TimeZoneList list = ReadTimeZoneList(junk, 2026);
    for (const TCountryData& country : list.Countries) {
        for (const TCityData& city : country.Cities) {
            EXPECT_LE(std::abs(city.UtcOffset), 24.0);
        }
    }
    EXPECT_TRUE(ReadTimeZoneList("", 2026).Countries.empty());
    EXPECT_TRUE(ReadTimeZoneList("||||||||||||", 2026).Countries.empty());
}

}  // namespace
}  // namespace kalvoro
