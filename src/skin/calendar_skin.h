#pragma once
// What a bar skin package gives the calendar window (LoadCalendarSkin applies it).

#include <optional>
#include <string_view>

#include "skin/menu_colors.h"
#include "skin/skin_image.h"
#include "skin/skin_keys.h"

namespace kalvoro {

struct CalendarSkin {
    SkinImage background;       // Image1: the window's picture and shape
    SkinImage year_button_up;   // BtnYear and BtnGNG
    SkinImage month_button_up;  // BtnMonth
    MenuColors menu;
    Colour font = skin_keys::kCalendarFont.default_color;  // RzLabel1..3, Label1..4
    Colour day_back = skin_keys::kCalendarDayBack.default_color;
    Colour week_back = skin_keys::kCalendarWeekBack.default_color;
    Colour highlight_back = skin_keys::kCalendarHighlightBack.default_color;
    Colour mark = skin_keys::kCalendarMark.default_color;
};

std::optional<CalendarSkin> LoadCalendarSkinData(std::string_view package_bytes);

}  // namespace kalvoro
