#include "calendar/festival_text.h"

#include <gtest/gtest.h>

#include "calendar/calendar_window_festivals.h"
#include "calendar/festival_defaults.h"

namespace kalvoro {
namespace {

DateTime Day(int year, int month, int day) {
    return EncodeDate(year, month, day);
}

struct DayCase {
    int year, month, day;
    const char* text;
    std::int32_t color;
};

TEST(GetFestivalText, CombinesEveLunarSolarAndWeekFestivals) {
    const DayCase cases[] = {
        {2008, 2, 6, "除夕", kLunarFestivalColor},  // lunar 2007-12-30
        {2009, 1, 25, "除夕 世界麻风日", kLunarFestivalColor},
        {2012, 1, 22, "除夕", kLunarFestivalColor},  // lunar 2011-12-29: a 29-day twelfth month
        {2012, 1, 21, "", kNoColor},
        {2008, 2, 7, "春节 国际声援南非日", kLunarFestivalColor},
        {2001, 10, 1, "中秋节 国际音乐日 国际住房日", kLunarFestivalColor},
        {2008, 3, 21, "世界儿歌日", kSolarFestivalColor},
        {2008, 5, 11, "国际母亲节", kWeekFestivalColor},
        {2008, 11, 27, "感恩节", kWeekFestivalColor},
        {2010, 1, 31, "世界麻风日", kWeekFestivalColor},
        {2009, 6, 27, "端午节", kLunarFestivalColor},  // the fifth of the leap fifth month
        {2008, 8, 30, "", kNoColor},
        {1900, 1, 30, "除夕", kLunarFestivalColor},  // no lunar date itself, but the eve of lunar 1900
        {1899, 12, 25, "圣诞节", kSolarFestivalColor},
        {2101, 1, 1, "新年元旦", kSolarFestivalColor},
        {2100, 12, 31, "", kNoColor},
    };
    const TFestivalList festivals;
    for (const DayCase& c : cases) {
        const FestivalText result = GetFestivalText(festivals, Day(c.year, c.month, c.day));
        EXPECT_EQ(result.text, c.text) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(result.color, c.color) << c.year << "-" << c.month << "-" << c.day;
    }
    EXPECT_EQ(GetFestivalText(festivals, Day(2008, 2, 6) + 0.9).text, "除夕");
}

TEST(GetFestivalText, EveFollowsTheLastDayOfAnyMonthBeforeTheKeyedOne) {
    TFestivalList festivals = TFestivalList::WithoutDefaults();
    festivals.AddFestival(kLunarKind, "0600", 3, "eve of six");
    // Lunar 2009: the leap fifth month (29 days) runs 2009-06-23..07-21, so month 6 begins 07-22.
    EXPECT_EQ(GetFestivalText(festivals, Day(2009, 7, 21)).text, "eve of six");
    EXPECT_EQ(GetFestivalText(festivals, Day(2009, 6, 22)).text, "");  // ordinary fifth ends; leap fifth follows
    EXPECT_EQ(GetFestivalText(festivals, Day(2009, 7, 22)).text, "");
}

TEST(GetMarkColor, LunarBeforeSolarBeforeWeek) {
    TFestivalList festivals;
    const DateTime day = Day(2008, 5, 11);  // lunar 2008-04-07, second Sunday of May
    EXPECT_EQ(GetMarkColor(festivals, day), kNoColor);
    festivals.AddMark(kWeekKind, "0520", 3);
    EXPECT_EQ(GetMarkColor(festivals, day), 3);
    festivals.AddMark(kSolarKind, "0511", 2);
    EXPECT_EQ(GetMarkColor(festivals, day), 2);
    festivals.AddMark(kLunarKind, "0407", 1);
    EXPECT_EQ(GetMarkColor(festivals, day + 0.5), 1);
    EXPECT_EQ(GetMarkColor(festivals, Day(2008, 5, 12)), kNoColor);
}

TEST(CalendarWindowFestivals, BlackRowsAndMothersDay) {
    const TFestivalList festivals = MakeCalendarWindowFestivals();
    EXPECT_EQ(festivals.SolarFestivals().size(), 99u);
    EXPECT_EQ(festivals.LunarFestivals().size(), 13u);
    EXPECT_EQ(festivals.WeekFestivals().size(), 12u);
    for (const auto* list : {&festivals.SolarFestivals(), &festivals.LunarFestivals(), &festivals.WeekFestivals()}) {
        for (const StringEntry& entry : *list) EXPECT_EQ(entry.value, 0) << entry.text;
    }
    const FestivalText mothers_day = GetFestivalText(festivals, Day(2008, 5, 11));
    EXPECT_EQ(mothers_day.text, "母亲节");
    EXPECT_EQ(mothers_day.color, 0);
    EXPECT_EQ(GetFestivalText(festivals, Day(2008, 2, 7)).text, "春节 国际声援南非日");
}

}  // namespace
}  // namespace kalvoro
