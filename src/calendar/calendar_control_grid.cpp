#include "calendar/calendar_control_grid.h"

#include <algorithm>

namespace kalvoro {

DateTime FirstDateOfGrid(int year, int month, bool use_iso8601) {
    const DateTime first_of_month = EncodeDate(year, month, 1);
    const int sunday_based = DayOfWeek(first_of_month);  // 1 = Sunday
    const int weekday = use_iso8601 ? (sunday_based + 5) % 7 + 1 : sunday_based;
    return weekday == 1 ? first_of_month - 7 : first_of_month + 1 - weekday;
}

Rect CellRectAt(const CalendarLayout& layout, int index) {
    const int left = layout.days.left + (index % kCalendarColumns) * layout.cell_width;
    const int top = layout.days.top + (index / kCalendarColumns) * layout.cell_height;
    return Rect::FromSize(left, top, layout.cell_width, layout.cell_height);
}

int CellIndexAt(const CalendarLayout& layout, int x, int y) {
    if (layout.cell_width <= 0 || layout.cell_height <= 0 || !layout.days.Contains(x, y)) return -1;
    const int column = std::min((x - layout.days.left) / layout.cell_width, kCalendarColumns - 1);
    const int row = std::min((y - layout.days.top) / layout.cell_height, kCalendarRows - 1);
    return row * kCalendarColumns + column;
}

CalendarCellSet CellsTouched(const CalendarLayout& layout, std::span<const Rect> update) {
    CalendarCellSet touched;
    for (int i = 0; i < kCalendarCells; ++i) {
        const Rect cell = CellRectAt(layout, i);
        touched[static_cast<std::size_t>(i)] =
            std::any_of(update.begin(), update.end(), [&cell](const Rect& part) { return part.Intersects(cell); });
    }
    return touched;
}

}  // namespace kalvoro
