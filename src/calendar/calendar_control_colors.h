#pragma once
// The colours and fonts of the month-grid control. A few colours are kept but drawn by nothing
// (TitleBackColor, HightlightBackColor, HightlightTextColor, ArrowColor): the calendar window and
// the skin still set them.

#include "calendar/calendar_control_types.h"

namespace kalvoro {

struct TLssCalColors {
    Colour TitleBackColor = kClActiveCaption;
    Colour WeekBackColor = kClWindow;
    Colour DayBackColor = kClWindow;
    Colour TrailingTextColor = kClInactiveCaptionText;
    Colour LunarTermColor = 8388608;  // navy
    Colour SundayColor = 255;         // red
    Colour SaturdayColor = 128;       // maroon
    Colour HightlightBackColor = kClActiveCaption;
    Colour HightlightTextColor = 16777215;
    Colour BorderColor = 8421504;  // grey
    Colour GridColor = 12632256;   // silver
    Colour ArrowColor = 16777215;

    CalFont TitleTextFont{"Arial Black", kGb2312Charset, kClWhite, 14, fsBold};
    CalFont WeekTextFont{"宋体", kGb2312Charset, kClActiveCaption, 12, 0};
    CalFont DayTextFont{"Arial Black", kDefaultCharset, kClWindowText, 10, fsBold};
    CalFont LunarTextFont{"宋体", kGb2312Charset, kClWindowText, 8, 0};
    CalFont FtvTextFont{"宋体", kGb2312Charset, 255, 8, 0};
    CalFont BackMonthTextFont{"Times New Roman", kDefaultCharset, 12632256, 240, fsBold | fsItalic};

    bool SameColors(const TLssCalColors& other) const;
    bool SameFonts(const TLssCalColors& other) const;
    friend bool operator==(const TLssCalColors&, const TLssCalColors&) = default;
};

}  // namespace kalvoro
