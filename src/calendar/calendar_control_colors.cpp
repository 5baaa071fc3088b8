#include "calendar/calendar_control_colors.h"

namespace kalvoro {

int PointsFromPixels(int pixels) {
    const int magnitude = pixels < 0 ? -pixels : pixels;
    return (magnitude * 72 + 48) / 96;
}

bool TLssCalColors::SameColors(const TLssCalColors& other) const {
    return TitleBackColor == other.TitleBackColor && WeekBackColor == other.WeekBackColor &&
           DayBackColor == other.DayBackColor && TrailingTextColor == other.TrailingTextColor &&
           LunarTermColor == other.LunarTermColor && SundayColor == other.SundayColor &&
           SaturdayColor == other.SaturdayColor && HightlightBackColor == other.HightlightBackColor &&
           HightlightTextColor == other.HightlightTextColor && BorderColor == other.BorderColor &&
           GridColor == other.GridColor && ArrowColor == other.ArrowColor;
}

bool TLssCalColors::SameFonts(const TLssCalColors& other) const {
    return TitleTextFont == other.TitleTextFont && WeekTextFont == other.WeekTextFont &&
           DayTextFont == other.DayTextFont && LunarTextFont == other.LunarTextFont &&
           FtvTextFont == other.FtvTextFont && BackMonthTextFont == other.BackMonthTextFont;
}

}  // namespace kalvoro
