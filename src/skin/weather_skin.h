#pragma once
// What a bar skin package gives the weather window (LoadWeatherSkin applies it).

#include <optional>
#include <string_view>

#include "skin/menu_colors.h"
#include "skin/skin_image.h"
#include "skin/skin_keys.h"

namespace kalvoro {

struct WeatherSkin {
    SkinImage background;                                 // Image1
    SkinImage button_up;                                  // BtnGNG, the "YearBtnUp" piece
    Colour font = skin_keys::kWeatherFont.default_color;  // RzLabel3
    MenuColors menu;
};

std::optional<WeatherSkin> LoadWeatherSkinData(std::string_view package_bytes);

}  // namespace kalvoro
