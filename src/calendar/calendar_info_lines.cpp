#include "calendar/calendar_info_lines.h"

#include "calendar/date_texts.h"
#include "calendar/festival_text.h"
#include "calendar/lunar_calendar.h"
#include "calendar/lunar_names.h"
#include "calendar/mark_texts.h"
#include "calendar/solar_terms.h"

namespace kalvoro {

CalendarInfoLines MakeCalendarInfoLines(DateTime selected, const TFestivalList& festivals, const MarkLines& marks) {
    const DateTime day = DateOf(selected);
    const DateParts parts = DecodeDate(day);
    CalendarInfoLines lines;
    lines.year = std::to_string(parts.year) + "年";
    lines.month = IntToZeroStr(parts.month, 2) + "月";

    lines.lunar = "农历： ";
    const TLunarDate lunar = GetLunarDate(day);
    if (lunar.Day != 0) {
        lines.lunar +=
            GetLunarYearName(lunar.Year) + GetLunarMonthName(lunar.Month, lunar.IsLeap) + GetLunarDayName(lunar.Day);
    }
    const std::string_view term = GetSolarTermName(day);
    if (!term.empty()) {
        lines.lunar += " (";
        lines.lunar += term;
        lines.lunar += ")";
    }
    lines.ganzhi = "干支： " + GetGanZhiText(day);
    lines.festival = "节日： " + GetFestivalText(festivals, day).text;
    lines.mark = "标记： " + GetDateMarkText(marks, day);
    return lines;
}

}  // namespace kalvoro
