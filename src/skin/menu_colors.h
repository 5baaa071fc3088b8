#pragma once
// The five gradient colours of the owner-drawn pop-up menus (section "MENU").

#include "skin/skin_keys.h"

namespace kalvoro {

class SkinPackage;

struct MenuColors {
    Colour icon_bar_start = skin_keys::kMenuIconBarStart.default_color;
    Colour icon_bar_stop = skin_keys::kMenuIconBarStop.default_color;
    Colour selection_start = skin_keys::kMenuSelectionStart.default_color;
    Colour selection_stop = skin_keys::kMenuSelectionStop.default_color;
    Colour selection_frame = skin_keys::kMenuSelectionFrame.default_color;
    friend bool operator==(const MenuColors&, const MenuColors&) = default;
};

MenuColors ReadMenuColors(const SkinPackage& package);

}  // namespace kalvoro
