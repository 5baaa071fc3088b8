#include "skin/menu_colors.h"

#include "skin/skin_package.h"

namespace kalvoro {

MenuColors ReadMenuColors(const SkinPackage& package) {
    MenuColors colors;
    colors.icon_bar_start = package.Color(skin_keys::kMenuIconBarStart);
    colors.icon_bar_stop = package.Color(skin_keys::kMenuIconBarStop);
    colors.selection_start = package.Color(skin_keys::kMenuSelectionStart);
    colors.selection_stop = package.Color(skin_keys::kMenuSelectionStop);
    colors.selection_frame = package.Color(skin_keys::kMenuSelectionFrame);
    return colors;
}

}  // namespace kalvoro
