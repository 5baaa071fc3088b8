#include "calendar/mark_texts.h"

#include <algorithm>

#include "calendar/mark_keys.h"

namespace kalvoro {

std::string GetMarkText(const MarkLines& lines, int kind, std::string_view month_day) {
    if (kind != 0 && kind != 1) return {};
    return lines.NoteOf(MakeMarkName(kind, month_day));
}

std::string GetDateMarkText(const MarkLines& lines, DateTime date) {
    std::string text = GetMarkText(lines, 0, SolarKeyOf(date));
    const std::string lunar_key = LunarKeyOf(date);
    const std::string lunar = lunar_key == "0000" ? std::string() : GetMarkText(lines, 1, lunar_key);
    if (!lunar.empty()) {
        if (!text.empty()) text += "  ";
        text += "*";
        text += lunar;
    }
    return text;
}

std::optional<std::string> MarkReminderText(const MarkLines& lines, DateTime now, const DateLocale& locale) {
    const std::string note = GetMarkText(lines, 0, SolarKeyOf(now));
    if (note.empty()) return std::nullopt;
    return "日历标记：\r\n" + FormatDateTime("yyyy年mm月dd日 dddd", now, locale) + "\r\n\r\n" + note;
}

MarkReminderSchedule MarkReminderScheduleFor(int mode, int step_minutes) {
    MarkReminderSchedule schedule;
    schedule.at_start = mode == 1 || mode == 2;
    if (mode == 2) {
        const int minutes = std::clamp(step_minutes, kMinReminderStepMinutes, kMaxReminderStepMinutes);
        schedule.repeat_ms = static_cast<unsigned>(minutes) * 60000u;
    }
    return schedule;
}

}  // namespace kalvoro
