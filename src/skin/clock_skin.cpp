#include "skin/clock_skin.h"

#include "skin/scale_image.h"

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

ClockSkin ScaledClockSkin(const ClockSkin& skin, const DisplayScale& scale) {
    if (scale.IsDesign()) return skin;
    const auto scaled = [&scale](const SkinImage& picture) {
        return ScaleSkinImage(picture, scale.Px(picture.width), scale.Px(picture.height));
    };
    ClockSkin result;
    result.face = scaled(skin.face);
    result.hour_hand = scaled(skin.hour_hand);
    result.minute_hand = scaled(skin.minute_hand);
    result.second_hand = scaled(skin.second_hand);
    result.center_cap = scaled(skin.center_cap);
    if (skin.center_x) result.center_x = scale.Px(*skin.center_x);
    if (skin.center_y) result.center_y = scale.Px(*skin.center_y);
    return result;
}

}  // namespace kalvoro
