#include "app/display_mode.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

using M = DisplayMode;

// Every value of each numbering, and its neighbours outside the range.
TEST(DisplayModeTest, MenuNumbers) {
    const struct {
        int number;
        M mode;
    } cases[] = {
        {-1, M::kCompact}, {0, M::kCompact}, {1, M::kCalendar}, {2, M::kClock}, {3, M::kWeather}, {4, M::kCompact},
    };
    for (const auto& c : cases) EXPECT_EQ(DisplayModeFromNumber(c.number), c.mode) << c.number;
    EXPECT_EQ(DisplayModeNumber(M::kCompact), 0);
    EXPECT_EQ(DisplayModeNumber(M::kCalendar), 1);
    EXPECT_EQ(DisplayModeNumber(M::kClock), 2);
    EXPECT_EQ(DisplayModeNumber(M::kWeather), 3);
}

TEST(DisplayModeTest, DefWinNumbersSwapClockAndCalendar) {
    const struct {
        int number;
        M mode;
    } cases[] = {
        {-1, M::kClock},  {0, M::kCompact}, {1, M::kClock}, {2, M::kCalendar},
        {3, M::kWeather}, {4, M::kClock},   {7, M::kClock},
    };
    for (const auto& c : cases) EXPECT_EQ(DisplayModeFromDefWin(c.number), c.mode) << c.number;
    EXPECT_EQ(DefWinNumber(M::kCompact), 0);
    EXPECT_EQ(DefWinNumber(M::kClock), 1);
    EXPECT_EQ(DefWinNumber(M::kCalendar), 2);
    EXPECT_EQ(DefWinNumber(M::kWeather), 3);
}

TEST(DisplayModeTest, ChildIndexNumbers) {
    const struct {
        int number;
        M mode;
    } cases[] = {
        {-1, M::kCompact}, {0, M::kCompact}, {1, M::kCalendar}, {2, M::kClock}, {3, M::kWeather}, {4, M::kCompact},
    };
    for (const auto& c : cases) EXPECT_EQ(DisplayModeFromChildIndex(c.number), c.mode) << c.number;
    EXPECT_EQ(ChildIndexNumber(M::kCompact), 0);
    EXPECT_EQ(ChildIndexNumber(M::kCalendar), 1);
    EXPECT_EQ(ChildIndexNumber(M::kClock), 2);
    EXPECT_EQ(ChildIndexNumber(M::kWeather), 3);
}

// The calendar closed in calendar mode is stored as CHILD/Index 1, while BAR/DefWin asks for it with 2.
TEST(DisplayModeTest, CalendarAtExitAndAtStart) {
    EXPECT_EQ(ChildIndexNumber(DisplayModeFromDefWin(2)), 1);
    EXPECT_EQ(DefWinNumber(DisplayModeFromChildIndex(1)), 2);
}

}  // namespace
}  // namespace kalvoro
