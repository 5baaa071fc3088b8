#pragma once
// The 42 day cells of the month grid: their dates, where each lies and which of them a repaint
// touches.

#include <bitset>
#include <span>

#include "base/date_time.h"
#include "calendar/calendar_control_layout.h"

namespace kalvoro {

inline constexpr int kCalendarColumns = 7;
inline constexpr int kCalendarRows = 6;
inline constexpr int kCalendarCells = kCalendarColumns * kCalendarRows;

using CalendarCellSet = std::bitset<kCalendarCells>;

// The date of the top-left cell: one to seven days of the previous month always come first.
// Weeks start on Monday with ISO 8601, else on Sunday.
DateTime FirstDateOfGrid(int year, int month, bool use_iso8601);

// Cell index i lies i mod 7 cells right of and i div 7 cells below the days rectangle's corner.
Rect CellRectAt(const CalendarLayout& layout, int index);

// The cell under a client point of the days rectangle, or -1 (also while the cells have no size).
// The few pixels right of the seventh column and below the sixth row belong to the nearest cell.
int CellIndexAt(const CalendarLayout& layout, int x, int y);

// The cells that a repaint of the given rectangles touches.
CalendarCellSet CellsTouched(const CalendarLayout& layout, std::span<const Rect> update);

}  // namespace kalvoro
