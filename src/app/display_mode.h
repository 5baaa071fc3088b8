#pragma once
// The display mode: which child window shows beside the bar. The menus and the mode switch number
// the modes one way, BAR/DefWin (the window opened at start) another and CHILD/Index (the window
// showing at exit) a third; these conversions are the only places the numbers meet.

namespace kalvoro {

enum class DisplayMode { kCompact, kCalendar, kClock, kWeather };

// Menu tags and the mode switch: 0 精简, 1 日历, 2 时钟, 3 天气. Anything else is compact.
DisplayMode DisplayModeFromNumber(int number);
int DisplayModeNumber(DisplayMode mode);

// BAR/DefWin: 0 none, 1 clock, 2 calendar, 3 weather; a value outside 0..3 means the clock.
DisplayMode DisplayModeFromDefWin(int def_win);
int DefWinNumber(DisplayMode mode);

// CHILD/Index: 0 none, 1 calendar, 2 clock, 3 weather. Anything else is compact.
DisplayMode DisplayModeFromChildIndex(int index);
int ChildIndexNumber(DisplayMode mode);

}  // namespace kalvoro
