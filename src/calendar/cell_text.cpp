#include "calendar/cell_text.h"

#include "calendar/ganzhi.h"
#include "calendar/lunar_calendar.h"
#include "calendar/lunar_names.h"
#include "calendar/solar_terms.h"

namespace kalvoro {

std::string GetLunarCellText(DateTime date, bool chinese_ear) {
    const std::string_view term = GetSolarTermName(date);
    if (!term.empty()) return std::string(term);
    if (chinese_ear) {
        const auto ganzhi = GetGanZhi(date);
        return ganzhi ? GetGanZhiName(ganzhi->DayIndex) : std::string();
    }
    const TLunarDate lunar = GetLunarDate(date);
    if (lunar.Day == 0) return {};
    return lunar.Day == 1 ? GetLunarMonthName(lunar.Month, lunar.IsLeap) : GetLunarDayName(lunar.Day);
}

}  // namespace kalvoro
