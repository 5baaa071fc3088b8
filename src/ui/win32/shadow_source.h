#pragma once
// What the drop shadow needs to know about a window: its size, the shape its window region or its
// transparent colour gives it, its border and its alpha.

#include <windows.h>

#include "ui/shadow_picture.h"

namespace kalvoro::win {

struct CapturedShadowSource {
    ShadowSource source;
    ShapeMask colour_key_mask;  // source.colourKeyMask points here when the window uses a transparent colour
};

// Reads the window as it is on the screen now; a window that has not painted yet is painted first.
void CaptureShadowSource(HWND form, Colour shadow_colour, CapturedShadowSource& captured);

}  // namespace kalvoro::win
