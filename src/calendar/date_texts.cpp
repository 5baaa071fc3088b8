#include "calendar/date_texts.h"

#include "calendar/calendar_date_range.h"
#include "calendar/festival_text.h"
#include "calendar/ganzhi.h"
#include "calendar/lunar_calendar.h"
#include "calendar/lunar_names.h"
#include "calendar/solar_terms.h"

namespace kalvoro {

std::string GetLunarText(DateTime date) {
    std::string text;
    const TLunarDate lunar = GetLunarDate(date);
    if (lunar.Day != 0) {
        text = GetLunarYearName(lunar.Year);
        text += GetLunarMonthName(lunar.Month, lunar.IsLeap);
        text += GetLunarDayName(lunar.Day);
    }
    text += ' ';
    text += GetSolarTermName(date);
    return text;
}

std::string GetGanZhiText(DateTime date) {
    const auto ganzhi = GetGanZhi(date);
    if (!ganzhi) return {};
    std::string text = GetGanZhiName(ganzhi->YearIndex);
    text += '(';
    text += GetAnimalName(ganzhi->YearIndex);
    text += ")年";
    text += GetGanZhiName(ganzhi->MonthIndex);
    text += "月";
    text += GetGanZhiName(ganzhi->DayIndex);
    text += "日";
    return text;
}

std::string GetTermText(DateTime date) {
    if (!IsCalendarDateTime(date)) return {};
    return std::string(GetSolarTermName(DateOf(date)));
}

std::string GetFtvText(const TFestivalList& festivals, DateTime date) {
    return GetFestivalText(festivals, date).text;
}

}  // namespace kalvoro
