#include "skin/window_skin.h"

#include "skin/skin_package.h"

namespace kalvoro {

std::optional<WindowSkin> LoadWindowSkinData(std::string_view package_bytes) {
    auto package = SkinPackage::Read(package_bytes);
    if (!package || !package->HasSupportedVersion(skin_keys::kSkinVersion)) return std::nullopt;
    WindowSkin skin;
    CutPieces(*package, {{skin_keys::kWindowFrame, skin.frame},
                         {skin_keys::kCloseButtonUp, skin.close_up},
                         {skin_keys::kCloseButtonHot, skin.close_hot}});
    skin.caption = package->Color(skin_keys::kCaption);
    return skin;
}

}  // namespace kalvoro
