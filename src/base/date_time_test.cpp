#include "base/date_time.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace kalvoro {
namespace {

DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int millisecond = 0) {
    return EncodeDateTime({year, month, day}, {hour, minute, second, millisecond});
}

void ExpectDate(DateTime value, int year, int month, int day) {
    const DateParts date = DecodeDate(value);
    EXPECT_EQ(date.year, year) << value;
    EXPECT_EQ(date.month, month) << value;
    EXPECT_EQ(date.day, day) << value;
}

void ExpectTime(DateTime value, int hour, int minute, int second, int millisecond) {
    const TimeParts time = DecodeTime(value);
    EXPECT_EQ(time.hour, hour) << value;
    EXPECT_EQ(time.minute, minute) << value;
    EXPECT_EQ(time.second, second) << value;
    EXPECT_EQ(time.millisecond, millisecond) << value;
}

TEST(DateTimeTest, EncodesKnownDates) {
    struct Case {
        int year, month, day;
        DateTime value;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},    {1899, 12, 31, 1},  {1900, 1, 1, 2},         {1899, 12, 29, -1}, {2000, 1, 1, 36526},
        {2024, 2, 29, 45351}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465}, {1900, 3, 1, 61},  // 1900 is no leap year
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.value) << c.year << "-" << c.month << "-" << c.day;
        ExpectDate(c.value, c.year, c.month, c.day);
    }
}

TEST(DateTimeTest, EveryDayOfTheCalendarRoundTrips) {
    int previous_weekday = DayOfWeek(-693594 + 1) - 1;
    for (int value = -693593; value <= 2958465; ++value) {
        const DateParts date = DecodeDate(value);
        ASSERT_TRUE(IsValidDate(date.year, date.month, date.day)) << value;
        ASSERT_EQ(EncodeDate(date.year, date.month, date.day), value);
        const int weekday = DayOfWeek(value);
        ASSERT_EQ(weekday, previous_weekday % 7 + 1) << value;
        previous_weekday = weekday;
    }
}

TEST(DateTimeTest, ValidatesDates) {
    EXPECT_TRUE(IsValidDate(2024, 2, 29));
    EXPECT_FALSE(IsValidDate(2023, 2, 29));
    EXPECT_TRUE(IsValidDate(2000, 2, 29));
    EXPECT_FALSE(IsValidDate(1900, 2, 29));
    EXPECT_FALSE(IsValidDate(0, 1, 1));
    EXPECT_FALSE(IsValidDate(10000, 1, 1));
    EXPECT_FALSE(IsValidDate(2024, 13, 1));
    EXPECT_FALSE(IsValidDate(2024, 4, 31));
    EXPECT_EQ(DaysInMonth(2024, 0), 0);
    EXPECT_EQ(DaysInMonth(2024, 13), 0);

    DateTime out = 123;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, out));
    EXPECT_EQ(out, 123);
    EXPECT_TRUE(TryEncodeDate(2023, 2, 28, out));
    EXPECT_EQ(out, 44985);
    EXPECT_EQ(EncodeDate(2024, 13, 40), 0);  // garbage in gives a defined date, not a wild one
}

TEST(DateTimeTest, DayOfWeekCountsFromSunday) {
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 2, 11)), 1);   // Sunday
    EXPECT_EQ(DayOfWeek(At(2024, 2, 9, 23, 59, 59)), 6);
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);  // Monday
    EXPECT_EQ(DayOfWeek(At(1899, 12, 29, 18)), 6);
}

// Before 1899-12-30 the whole part is the day and the absolute fraction the time of day.
TEST(DateTimeTest, NegativeValuesDecodeAsThePascalRuntime) {
    EXPECT_EQ(At(1899, 12, 29, 12), -1.5);
    ExpectDate(-1.5, 1899, 12, 29);
    ExpectTime(-1.5, 12, 0, 0, 0);
    ExpectDate(-0.25, 1899, 12, 30);
    ExpectTime(-0.25, 6, 0, 0, 0);
    ExpectDate(-693593.75, 1, 1, 1);
    ExpectTime(-693593.75, 18, 0, 0, 0);
    EXPECT_EQ(DateOf(-1.5), -1);
    EXPECT_EQ(DateOf(45351.75), 45351);
}

TEST(DateTimeTest, TimeRoundsToTheMillisecondAndCarriesIntoTheNextDay) {
    EXPECT_EQ(EncodeTime(12, 0, 0), 0.5);
    ExpectTime(At(2024, 2, 9, 8, 5, 3, 250), 8, 5, 3, 250);
    ExpectTime(0.5 + 0.4 / 86400000.0, 12, 0, 0, 0);
    const DateTime just_before_midnight = EncodeDate(2024, 2, 9) + 1 - 0.1 / 86400000.0;
    ExpectTime(just_before_midnight, 0, 0, 0, 0);
    ExpectDate(just_before_midnight, 2024, 2, 10);
    const DateTime last_moment = EncodeDate(9999, 12, 31) + 1 - 0.1 / 86400000.0;
    ExpectDate(last_moment, 9999, 12, 31);
    ExpectTime(last_moment, 23, 59, 59, 999);
}

TEST(DateTimeTest, ValuesOutsideTheCalendarDecodeToZeroWithoutFailing) {
    const DateTime outside[] = {std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(),
                                1e300,
                                -693594,
                                2958466};
    for (const DateTime value : outside) {
        ExpectDate(value, 0, 0, 0);
        ExpectTime(value, 0, 0, 0, 0);
        EXPECT_GE(DayOfWeek(value), 1);
        EXPECT_LE(DayOfWeek(value), 7);
        EXPECT_FALSE(FormatDateTime("yyyy-mm-dd dddd mmmm hh:nn", value).empty());
    }
}

TEST(DateTimeTest, IncMonthClampsTheDayAndKeepsTheTime) {
    struct Case {
        DateTime from;
        int months;
        DateTime to;
    };
    const Case cases[] = {
        {At(2024, 3, 31), -1, At(2024, 2, 29)},
        {At(2023, 3, 31), -1, At(2023, 2, 28)},
        {At(2024, 1, 31, 12, 30), 1, At(2024, 2, 29, 12, 30)},
        {At(2024, 11, 15), 3, At(2025, 2, 15)},
        {At(2024, 1, 15), -13, At(2022, 12, 15)},
        {At(1900, 1, 10, 6), -1, At(1899, 12, 10, 6)},  // crossing to negative values keeps 06:00
        {At(9999, 11, 30), 5, At(9999, 12, 31)},
        {At(1, 2, 1), -5, At(1, 1, 1)},
        {At(2024, 1, 1), INT_MAX, At(9999, 12, 31)},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(IncMonth(c.from, c.months), c.to) << c.from << " " << c.months;
}

TEST(FormatDateTimeTest, FormatsThePatternsTheProgramUses) {
    const DateTime morning = At(2024, 2, 9, 8, 5, 3, 42);
    const DateTime evening = At(2024, 12, 25, 20, 7, 0);
    struct Case {
        const char* pattern;
        DateTime value;
        const char* expected;
    };
    const Case cases[] = {
        {"yyyy年mm月dd日 dddd", morning, "2024年02月09日 星期五"},
        {"yyyy年m月d日 dddd", morning, "2024年2月9日 星期五"},
        {"hh:mm:ss", morning, "08:05:03"},
        {"yyyy-mm-dd hh:mm:ss", morning, "2024-02-09 08:05:03"},
        {"ddd", morning, "周五"},
        {"m", morning, "2"},
        {"dd", morning, "09"},
        {"h:m", morning, "8:5"},
        {"mm:ss", morning, "05:03"},
        {"hh:nn:ss.zzz", morning, "08:05:03.042"},
        {"z", morning, "42"},
        {"yy/mmm/mmmm", evening, "24/12月/十二月"},
        {"YYYY-MM-DD HH:NN", evening, "2024-12-25 20:07"},
        {"hh:nn am/pm", evening, "08:07 pm"},
        {"AM/PM h:nn", At(2024, 1, 1, 0, 30), "AM 12:30"},
        {"h a/p", At(2024, 1, 1, 12, 0), "12 p"},
        {"ddddd tt", morning, "2024/2/9 8:05:03"},
        {"\"yyyy\" 'mm' yyyy", morning, "yyyy mm 2024"},
        {"[x] c", morning, "[x] c"},
        {"yyyy-mm-dd hh:nn", -1.5, "1899-12-29 12:00"},
        {"yyyy-mm-dd", EncodeDate(1, 1, 1), "0001-01-01"},
        {"yyyy-mm-dd", EncodeDate(9999, 12, 31), "9999-12-31"},
        {"\"unterminated", morning, "unterminated"},
        {"", morning, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.pattern, c.value), c.expected) << c.pattern;
}

TEST(FormatDateTimeTest, UsesTheGivenLocale) {
    DateLocale locale = ChineseDateLocale();
    locale.long_day_names[5] = "Friday";
    locale.short_date_format = "d.m.yyyy ddddd";  // a short date naming itself must not recurse forever
    locale.long_time_format = "hh-nn tt";
    const DateTime morning = At(2024, 2, 9, 8, 5);
    EXPECT_EQ(FormatDateTime("dddd", morning, locale), "Friday");
    EXPECT_EQ(FormatDateTime("ddddd", morning, locale), "9.2.2024 9.2.2024 ");
    EXPECT_EQ(FormatDateTime("tt", morning, locale), "08-05 08-05 ");
}

TEST(DateLocaleTest, ChineseNames) {
    const DateLocale& locale = ChineseDateLocale();
    EXPECT_EQ(locale.long_day_names[0], "星期日");
    EXPECT_EQ(locale.long_day_names[6], "星期六");
    EXPECT_EQ(locale.short_day_names[0], "周日");
    EXPECT_EQ(locale.short_day_names[3], "周三");
    EXPECT_EQ(locale.long_month_names[0], "一月");
    EXPECT_EQ(locale.long_month_names[10], "十一月");
    EXPECT_EQ(locale.long_month_names[11], "十二月");
}

TEST(FormatClockTextTest, WritesEightCharactersAndATerminator) {
    char text[9];
    std::fill(std::begin(text), std::end(text), 'x');
    FormatClockText({8, 0, 5, 0}, text);
    EXPECT_STREQ(text, "08:00:05");
    FormatClockText({23, 59, 59, 999}, text);
    EXPECT_STREQ(text, "23:59:59");
    FormatClockText({-1, 120, 7, 0}, text);  // nonsense stays inside the buffer
    EXPECT_STREQ(text, "00:99:07");
}

TEST(IntToZeroStrTest, PadsWithZeros) {
    struct Case {
        int value, width;
        const char* expected;
    };
    const Case cases[] = {
        {7, 2, "07"},   {0, 3, "000"}, {123, 2, "123"}, {5, 0, "5"},
        {-7, 3, "-07"}, {-7, 1, "-7"}, {-42, 2, "-42"}, {INT_MIN, 2, "-2147483648"},
        {1, -5, "1"},
    };
    for (const Case& c : cases) EXPECT_EQ(IntToZeroStr(c.value, c.width), c.expected) << c.value << "," << c.width;
    EXPECT_EQ(IntToZeroStr(1, INT_MAX).size(), 64u);
}

}  // namespace
}  // namespace kalvoro
