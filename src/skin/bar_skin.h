#pragma once
// What a bar skin package gives the bar window (LoadBarSkin applies it).

#include <optional>
#include <string_view>

#include "skin/menu_colors.h"
#include "skin/skin_image.h"
#include "skin/skin_keys.h"

namespace kalvoro {

struct BarSkin {
    SkinImage background;  // ImageBk
    SkinImage menu_button_up;
    SkinImage menu_button_hot;
    SkinImage min_button_up;
    SkinImage min_button_hot;
    Colour led_background = skin_keys::kLedBackground.default_color;  // also the LED panel's colour
    Colour led_dark = skin_keys::kLedDark.default_color;
    Colour led_light = skin_keys::kLedLight.default_color;
    Colour led_border = skin_keys::kLedBorder.default_color;    // one-pixel frame of the LED panel
    Colour date_font = skin_keys::kDateLineFont.default_color;  // both fonts of the date line
    MenuColors menu;
};

// Nothing means change nothing: a damaged package, a version other than "1.0", or a piece that
// cannot be cut.
std::optional<BarSkin> LoadBarSkinData(std::string_view package_bytes);

}  // namespace kalvoro
