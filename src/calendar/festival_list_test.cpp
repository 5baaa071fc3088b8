#include "calendar/festival_list.h"

#include <gtest/gtest.h>

#include <limits>

#include "calendar/festival_defaults.h"
#include "calendar/lunar_calendar.h"

namespace kalvoro {
namespace {

DateTime Day(int year, int month, int day) {
    return EncodeDate(year, month, day);
}

TEST(FestivalDefaults, TablesHaveTheirRowsAndTheListsTheirKeys) {
    EXPECT_EQ(DefaultSolarFestivals().size(), 102u);
    EXPECT_EQ(DefaultLunarFestivals().size(), 13u);
    EXPECT_EQ(DefaultWeekFestivals().size(), 12u);
    for (auto table : {DefaultSolarFestivals(), DefaultLunarFestivals(), DefaultWeekFestivals()}) {
        for (std::string_view row : table) {
            ASSERT_GE(row.size(), 6u) << row;
            EXPECT_TRUE(row[4] == ' ' || row[4] == '*') << row;
            for (int i = 0; i < 4; ++i) EXPECT_TRUE(row[i] >= '0' && row[i] <= '9') << row;
        }
    }
    const TFestivalList festivals;
    EXPECT_EQ(festivals.SolarFestivals().size(), 99u);  // "0321", "1001" and "1008" appear twice
    EXPECT_EQ(festivals.LunarFestivals().size(), 13u);
    EXPECT_EQ(festivals.WeekFestivals().size(), 12u);
    EXPECT_TRUE(festivals.SolarMarks().empty());
    EXPECT_TRUE(festivals.LunarMarks().empty());
    EXPECT_TRUE(festivals.WeekMarks().empty());
}

TEST(FestivalDefaults, LaterRowOfADuplicatedKeyWins) {
    const TFestivalList festivals;
    EXPECT_EQ(festivals.GetSolarFestival(Day(2008, 3, 21)).text, "世界儿歌日");
    EXPECT_EQ(festivals.GetSolarFestival(Day(2008, 10, 1)).text, "国际音乐日");
    EXPECT_EQ(festivals.GetSolarFestival(Day(2008, 10, 8)).text, "世界视觉日");
    EXPECT_EQ(festivals.GetSolarFestival(Day(2008, 1, 1)).text, "新年元旦");  // "*" separator
    EXPECT_EQ(festivals.GetSolarFestival(Day(2008, 1, 1)).color, kSolarFestivalColor);
    EXPECT_EQ(festivals.GetLunarFestival({2008, 1, 15, false}).text, "元宵节 中国情人节");
    EXPECT_EQ(festivals.GetLunarFestival({2008, 1, 15, false}).color, kLunarFestivalColor);
    EXPECT_EQ(festivals.GetWeekFestival(Day(2008, 11, 27)).text, "感恩节");
    EXPECT_EQ(festivals.GetWeekFestival(Day(2008, 11, 27)).color, kWeekFestivalColor);
}

TEST(TFestivalList, AddFestivalRefusesBadArgumentsAndReplacesByKey) {
    TFestivalList festivals = TFestivalList::WithoutDefaults();
    EXPECT_FALSE(festivals.AddFestival(3, "0505", 1, "x"));
    EXPECT_FALSE(festivals.AddFestival(-1, "0505", 1, "x"));
    EXPECT_FALSE(festivals.AddFestival(kSolarKind, "", 1, "x"));
    EXPECT_FALSE(festivals.AddFestival(kSolarKind, "0505", 1, ""));
    EXPECT_FALSE(festivals.AddFestival(kSolarKind, "0505", 1, "   "));
    EXPECT_FALSE(festivals.AddFestival(kSolarKind, "05=5", 1, "x"));
    EXPECT_TRUE(festivals.SolarFestivals().empty());

    EXPECT_TRUE(festivals.AddFestival(kSolarKind, "0505", 7, "  first  "));
    EXPECT_TRUE(festivals.AddFestival(kSolarKind, "0505", 8, "second"));
    ASSERT_EQ(festivals.SolarFestivals().size(), 1u);
    EXPECT_EQ(festivals.SolarFestivals()[0].text, "0505=second");
    EXPECT_EQ(festivals.SolarFestivals()[0].value, 8);
}

TEST(TFestivalList, MarksAreReplacedAndDeletedByKey) {
    TFestivalList festivals;
    EXPECT_FALSE(festivals.AddMark(5, "0505", 1));
    EXPECT_FALSE(festivals.AddMark(kLunarKind, "", 1));
    EXPECT_TRUE(festivals.AddMark(kLunarKind, "0505", 100));
    EXPECT_TRUE(festivals.AddMark(kLunarKind, "0505", 200));
    ASSERT_EQ(festivals.LunarMarks().size(), 1u);
    EXPECT_EQ(festivals.GetLunarMark({2008, 5, 5, false}), 200);
    EXPECT_EQ(festivals.GetLunarMark({2009, 5, 5, true}), 200);  // leap month shares the key

    festivals.DeleteMark(kLunarKind, "0606");
    festivals.DeleteMark(kSolarKind, "0505");
    festivals.DeleteMark(7, "0505");
    EXPECT_EQ(festivals.LunarMarks().size(), 1u);
    festivals.DeleteMark(kLunarKind, "0505");
    EXPECT_TRUE(festivals.LunarMarks().empty());
    EXPECT_EQ(festivals.GetLunarMark({2008, 5, 5, false}), kNoColor);
}

TEST(TFestivalList, LunarKeysIgnoreTheLeapFlagAndNeedALunarDate) {
    const TFestivalList festivals;
    // 2009 has a leap fifth month: its fifth day shows the festival of the ordinary month.
    const TLunarDate leap_fifth = GetLunarDate(Day(2009, 6, 27));
    ASSERT_EQ(leap_fifth, (TLunarDate{2009, 5, 5, true}));
    EXPECT_EQ(festivals.GetLunarFestival(leap_fifth).text, "端午节");
    EXPECT_FALSE(festivals.GetLunarFestival(TLunarDate{}).found);
    EXPECT_EQ(festivals.FindLunarFestival(1, 0).text, "除夕");
    EXPECT_FALSE(festivals.FindLunarFestival(13, 0).found);
}

struct WeekFromEndCase {
    int year, month, day, from_end;
};

TEST(TFestivalList, GetWeekFromEnd) {
    const WeekFromEndCase cases[] = {
        {2010, 1, 31, 1}, {2010, 1, 25, 1}, {2010, 1, 24, 2}, {2010, 1, 1, 5},  {2008, 2, 29, 1},
        {2008, 2, 22, 2}, {2009, 2, 22, 1}, {2009, 2, 1, 4},  {2010, 4, 30, 1}, {2010, 4, 23, 2},
    };
    for (const WeekFromEndCase& c : cases) {
        EXPECT_EQ(TFestivalList::GetWeekFromEnd(Day(c.year, c.month, c.day)), c.from_end)
            << c.year << "-" << c.month << "-" << c.day;
    }
    EXPECT_EQ(TFestivalList::GetWeekFromEnd(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(TFestivalList, WeekKeysFromStartAndEndTheSecondWinning) {
    TFestivalList festivals = TFestivalList::WithoutDefaults();
    festivals.AddFestival(kWeekKind, "0140", 1, "fourth Sunday");
    festivals.AddFestival(kWeekKind, "0160", 2, "second last Sunday");
    festivals.AddMark(kWeekKind, "0140", 11);
    festivals.AddMark(kWeekKind, "0160", 12);
    // 2010-01-24 is both the fourth and the second last Sunday of January.
    EXPECT_EQ(festivals.GetWeekFestival(Day(2010, 1, 24)).text, "second last Sunday");
    EXPECT_EQ(festivals.GetWeekFestival(Day(2010, 1, 24)).color, 2);
    EXPECT_EQ(festivals.GetWeekMark(Day(2010, 1, 24)), 12);
    // 2010-01-17 is the third Sunday and the third last: neither key.
    EXPECT_FALSE(festivals.GetWeekFestival(Day(2010, 1, 17)).found);
    EXPECT_EQ(festivals.GetWeekMark(Day(2010, 1, 17)), kNoColor);
    festivals.DeleteMark(kWeekKind, "0160");
    EXPECT_EQ(festivals.GetWeekMark(Day(2010, 1, 24)), 11);
}

TEST(TFestivalList, DefaultWeekRules) {
    const TFestivalList festivals;
    EXPECT_EQ(festivals.GetWeekFestival(Day(2008, 5, 11)).text, "国际母亲节");  // second Sunday of May
    EXPECT_EQ(festivals.GetWeekFestival(Day(2010, 1, 31)).text, "世界麻风日");  // fifth and last Sunday
    EXPECT_EQ(festivals.GetWeekFestival(Day(2009, 1, 25)).text, "世界麻风日");  // last, fourth Sunday
    EXPECT_FALSE(festivals.GetWeekFestival(Day(2009, 1, 18)).found);
    EXPECT_EQ(festivals.GetWeekFestival(Day(2008, 6, 15)).text, "父亲节");
    EXPECT_EQ(festivals.GetWeekFestival(Day(2008, 9, 1)).text, "劳动节");  // first Monday of September
}

// The nth weekday of a month is counted with days 1-7 as the first week: on days 7, 14, 21 and 28
// the count must not run one week ahead.
TEST(TFestivalList, DefaultWeekRulesOnTheLastDayOfAWeekOfTheMonth) {
    const TFestivalList festivals;
    EXPECT_EQ(festivals.GetWeekFestival(Day(2023, 5, 14)).text, "国际母亲节");  // May 1 was a Monday
    EXPECT_EQ(festivals.GetWeekFestival(Day(2023, 5, 21)).text, "全国助残日");  // third Sunday
    EXPECT_FALSE(festivals.GetWeekFestival(Day(2023, 5, 7)).found);             // only the first Sunday
    EXPECT_EQ(festivals.GetWeekFestival(Day(2020, 9, 7)).text, "劳动节");       // first Monday
    EXPECT_EQ(festivals.GetWeekFestival(Day(2026, 6, 21)).text, "父亲节");      // third Sunday of June
    EXPECT_EQ(festivals.GetWeekFestival(Day(2024, 11, 28)).text, "感恩节");     // fourth Thursday
}

TEST(FestivalDefaults, RemembranceDaysNameThePersonInTheirTablesColour) {
    const TFestivalList festivals;
    const struct {
        int month, day;
        const char* text;
    } solar[] = {
        {3, 12, "中国植树节 孙中山逝世纪念日"}, {9, 9, "毛泽东逝世纪念日"},   {9, 28, "孔子诞辰"},
        {11, 12, "孙中山诞辰纪念日"},           {12, 26, "毛泽东诞辰纪念日"},
    };
    for (const auto& row : solar) {
        const FestivalMatch match = festivals.GetSolarFestival(Day(2024, row.month, row.day));
        EXPECT_EQ(match.text, row.text);
        EXPECT_EQ(match.color, 255);
    }
    EXPECT_EQ(festivals.GetLunarFestival({2024, 3, 23, false}).text, "妈祖诞辰");
    EXPECT_EQ(festivals.GetLunarFestival({2024, 3, 23, false}).color, 8388736);
}

TEST(TFestivalList, SolarAndWeekFestivalsOutsideTheLunarRange) {
    const TFestivalList festivals;
    EXPECT_EQ(festivals.GetSolarFestival(Day(1899, 12, 25)).text, "圣诞节");
    EXPECT_EQ(festivals.GetSolarFestival(Day(2101, 1, 1)).text, "新年元旦");
    EXPECT_EQ(festivals.GetWeekFestival(Day(2101, 11, 24)).text, "感恩节");
    EXPECT_FALSE(festivals.GetSolarFestival(std::numeric_limits<double>::quiet_NaN()).found);
}

TEST(TFestivalList, SettersReplaceWholeListsSortedWithoutDuplicates) {
    TFestivalList festivals;
    const StringEntry rows[] = {{"0601=b", 0}, {"0101=a", 0}, {"0601=b", 5}};
    festivals.SetSolarFestivals(rows);
    ASSERT_EQ(festivals.SolarFestivals().size(), 2u);
    EXPECT_EQ(festivals.SolarFestivals()[0].text, "0101=a");
    EXPECT_EQ(festivals.GetSolarFestival(Day(2008, 6, 1)).color, 0);
    EXPECT_FALSE(festivals.GetSolarFestival(Day(2008, 12, 25)).found);
    EXPECT_EQ(festivals.LunarFestivals().size(), 13u);  // the others are untouched

    const StringEntry marks[] = {{"1225", 42}};
    festivals.SetSolarMarks(marks);
    EXPECT_EQ(festivals.GetSolarMark(Day(2008, 12, 25)), 42);
}

}  // namespace
}  // namespace kalvoro
