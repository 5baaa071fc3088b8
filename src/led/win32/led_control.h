#pragma once
// The LED digits on a Win32 surface. Like a graphic control it has no window of its own: the bar
// reserves the area, calls Paint from its WM_PAINT, and invalidates that area when a setter (say
// SetText once a second) returns true.

#include <windows.h>

#include <memory>

#include "base/win32/gdi.h"
#include "led/led_font_num.h"

namespace kalvoro::win {

class LedControl : public LEDFontNum {
public:
    // Draws the control, Width() x Height(), with its top-left corner at (x, y) of the target: into
    // an image kept between paints, filled with BGColor, then copied in one BitBlt so the digits
    // never flicker. Nothing is drawn while the control is hidden.
    void Paint(HDC target, int x, int y);

private:
    // A brush and a one-pixel pen of one colour, recreated only when the colour changes.
    struct ColourTools {
        Colour colour = 0;
        Brush brush;
        Pen pen;
        void Update(Colour wanted);
    };

    bool EnsureSurface(HDC target);

    std::unique_ptr<OffscreenSurface> surface_;
    ColourTools dark_;
    ColourTools light_;
    LedDrawList draw_list_;
};

}  // namespace kalvoro::win
