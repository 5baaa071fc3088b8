#include "app/calendar_date_texts.h"

#include "calendar/date_texts.h"

namespace kalvoro {

std::string CalendarDateTexts::LunarText(DateTime date) {
    return GetLunarText(date);
}
std::string CalendarDateTexts::GanZhiText(DateTime date) {
    return GetGanZhiText(date);
}
std::string CalendarDateTexts::TermText(DateTime date) {
    return GetTermText(date);
}
std::string CalendarDateTexts::FestivalText(DateTime date) {
    return GetFtvText(festivals_, date);
}

}  // namespace kalvoro
