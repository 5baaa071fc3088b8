#pragma once
// What the date marks say about a day: the notes the calendar window shows and the reminder the
// bar sends to the popup program.

#include <optional>
#include <string>
#include <string_view>

#include "base/date_time.h"
#include "calendar/mark_lines.h"

namespace kalvoro {

// The note of the mark named kind digit + month-day; empty when there is none or the kind is
// neither 0 (Gregorian) nor 1 (lunar).
std::string GetMarkText(const MarkLines& lines, int kind, std::string_view month_day);

// The day's Gregorian note, then "*" and its lunar note, two blanks apart when both are there:
// "端午  *中秋".
std::string GetDateMarkText(const MarkLines& lines, DateTime date);

// "日历标记：" CR LF, the date as "yyyy年mm月dd日 dddd", CR LF CR LF and the note of today's
// Gregorian mark; nothing when today has no Gregorian note (lunar marks are not reminded).
std::optional<std::string> MarkReminderText(const MarkLines& lines, DateTime now, const DateLocale& locale);

// When the bar reminds (MSG/CalendarLX 0 never, 1 once a second after start, 2 then and every
// MSG/CalendarStep minutes).
struct MarkReminderSchedule {
    bool at_start = false;
    unsigned repeat_ms = 0;  // 0: no repetition
};
inline constexpr int kMinReminderStepMinutes = 1;
inline constexpr int kMaxReminderStepMinutes = 600;
// A step outside 1..600 minutes is taken as the nearest end, so a zero step cannot flood the user.
MarkReminderSchedule MarkReminderScheduleFor(int mode, int step_minutes);

}  // namespace kalvoro
