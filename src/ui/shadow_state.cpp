#include "ui/shadow_state.h"

namespace kalvoro {

bool ShadowRedrawState::TakeRedraw(Size window, std::optional<Colour> keyColour) {
    const Size wanted{ClampCoordinate(window.width) + 2 * kShadowMargin,
                      ClampCoordinate(window.height) + 2 * kShadowMargin};
    if (wanted != picture_size_) {
        picture_size_ = wanted;
        dirty_ = true;
    } else if (keyColour != key_colour_) {
        dirty_ = true;
    }
    if (!dirty_) return false;
    dirty_ = false;
    key_colour_ = keyColour;
    return true;
}

}  // namespace kalvoro
