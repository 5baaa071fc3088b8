#include "skin/bar_skin.h"

#include "skin/skin_package.h"

namespace kalvoro {

std::optional<BarSkin> LoadBarSkinData(std::string_view package_bytes) {
    auto package = SkinPackage::Read(package_bytes);
    if (!package || !package->HasSupportedVersion(skin_keys::kSkinVersion)) return std::nullopt;
    BarSkin skin;
    CutPieces(*package, {{skin_keys::kBarBackground, skin.background},
                         {skin_keys::kMenuButtonUp, skin.menu_button_up},
                         {skin_keys::kMenuButtonHot, skin.menu_button_hot},
                         {skin_keys::kMinButtonUp, skin.min_button_up},
                         {skin_keys::kMinButtonHot, skin.min_button_hot}});
    skin.led_background = package->Color(skin_keys::kLedBackground);
    skin.led_dark = package->Color(skin_keys::kLedDark);
    skin.led_light = package->Color(skin_keys::kLedLight);
    skin.led_border = package->Color(skin_keys::kLedBorder);
    skin.date_font = package->Color(skin_keys::kDateLineFont);
    skin.menu = ReadMenuColors(*package);
    return skin;
}

}  // namespace kalvoro
