#pragma once
// What a window skin package gives the skinned dialog frame (LoadWindowSkin builds the frame
// object from it).

#include <optional>
#include <string_view>

#include "skin/skin_image.h"
#include "skin/skin_keys.h"

namespace kalvoro {

struct WindowSkin {
    Colour caption = skin_keys::kCaption.default_color;
    SkinImage frame;  // the nine-part frame picture
    SkinImage close_up;
    SkinImage close_hot;
};

// Nothing means no frame object: damaged package, version not "1.0", or a piece that cannot be cut.
std::optional<WindowSkin> LoadWindowSkinData(std::string_view package_bytes);

}  // namespace kalvoro
