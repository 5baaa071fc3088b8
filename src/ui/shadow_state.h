#pragma once
// Bookkeeping of a drop-shadow window: when its picture has to be drawn again and where it goes.

#include <optional>

#include "base/colour.h"
#include "base/geometry.h"
#include "ui/shadow_picture.h"

namespace kalvoro {

class ShadowRedrawState {
public:
    // Attaching a window or refreshing the shadow: the window's look may have changed.
    void Invalidate() { dirty_ = true; }

    // Asked before every placement: true when the picture must be built now. A new window size or a
    // change of the window's transparent colour (including switching it on or off) forces a redraw.
    bool TakeRedraw(Size window, std::optional<Colour> keyColour);

private:
    Size picture_size_;
    std::optional<Colour> key_colour_;
    bool dirty_ = true;
};

// The shadow window's top-left corner for a window at windowTopLeft.
constexpr Point ShadowWindowOrigin(Point windowTopLeft, int offset) {
    return {windowTopLeft.x + offset - kShadowMargin, windowTopLeft.y + offset - kShadowMargin};
}

}  // namespace kalvoro
