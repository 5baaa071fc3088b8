#pragma once
// Skin pictures as GDI bitmaps.

#include "base/win32/gdi.h"
#include "skin/skin_image.h"

namespace kalvoro::win {

// A 32-bit top-down DIB section holding the picture; empty for an empty picture.
Bitmap BitmapFromSkinImage(const SkinImage& image);

}  // namespace kalvoro::win
