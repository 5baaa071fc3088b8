#include "calendar/festival_text.h"

#include "calendar/calendar_date_range.h"
#include "calendar/lunar_calendar.h"

namespace kalvoro {
namespace {

void TrimInPlace(std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
    std::size_t begin = 0;
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
    text.erase(end);
    text.erase(0, begin);
}

void Append(FestivalText& result, const FestivalMatch& match) {
    if (!match.found) return;
    if (result.color == kNoColor) result.color = match.color;
    result.text += ' ';
    result.text += match.text;
    TrimInPlace(result.text);
}

}  // namespace

FestivalText GetFestivalText(const TFestivalList& festivals, DateTime date) {
    FestivalText result;
    if (!IsCalendarDateTime(date)) return result;
    const DateTime day = DateOf(date);
    const TLunarDate lunar = GetLunarDate(day);
    const TLunarDate next = GetLunarDate(day + 1);
    if (lunar.Month != next.Month) {
        const FestivalMatch eve = festivals.FindLunarFestival(next.Month, 0);
        if (eve.found) {
            result.text = eve.text;
            result.color = eve.color;
        }
    }
    Append(result, festivals.GetLunarFestival(lunar));
    const FestivalDay festival_day = MakeFestivalDay(day);
    Append(result, festivals.FindSolarFestival(festival_day));
    Append(result, festivals.FindWeekFestival(festival_day));
    return result;
}

std::int32_t GetMarkColor(const TFestivalList& festivals, DateTime date) {
    if (!IsCalendarDateTime(date)) return kNoColor;
    const DateTime day = DateOf(date);
    const std::int32_t lunar = festivals.GetLunarMark(GetLunarDate(day));
    if (lunar != kNoColor) return lunar;
    const FestivalDay festival_day = MakeFestivalDay(day);
    const std::int32_t solar = festivals.FindSolarMark(festival_day);
    if (solar != kNoColor) return solar;
    return festivals.FindWeekMark(festival_day);
}

}  // namespace kalvoro
