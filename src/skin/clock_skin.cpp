#include "skin/clock_skin.h"

#include "skin/skin_package.h"

namespace kalvoro {

std::optional<ClockSkin> LoadClockSkinData(std::string_view package_bytes) {
    auto package = SkinPackage::Read(package_bytes);
    if (!package || !package->HasSupportedVersion(skin_keys::kClockVersion)) return std::nullopt;
    ClockSkin skin;
    CutPieces(*package, {{skin_keys::kClockFace, skin.face},
                         {skin_keys::kHourHand, skin.hour_hand},
                         {skin_keys::kMinuteHand, skin.minute_hand},
                         {skin_keys::kSecondHand, skin.second_hand},
                         {skin_keys::kCenterCap, skin.center_cap}});
    skin.center_x = package->Integer(skin_keys::kClockSection, skin_keys::kCenterX);
    skin.center_y = package->Integer(skin_keys::kClockSection, skin_keys::kCenterY);
    return skin;
}

}  // namespace kalvoro
