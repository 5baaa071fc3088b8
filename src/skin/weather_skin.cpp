#include "skin/weather_skin.h"

#include "skin/skin_package.h"

namespace kalvoro {

std::optional<WeatherSkin> LoadWeatherSkinData(std::string_view package_bytes) {
    auto package = SkinPackage::Read(package_bytes);
    if (!package || !package->HasSupportedVersion(skin_keys::kSkinVersion)) return std::nullopt;
    WeatherSkin skin;
    CutPieces(*package, {{skin_keys::kWeatherBackground, skin.background}, {skin_keys::kYearButtonUp, skin.button_up}});
    skin.font = package->Color(skin_keys::kWeatherFont);
    skin.menu = ReadMenuColors(*package);
    return skin;
}

}  // namespace kalvoro
