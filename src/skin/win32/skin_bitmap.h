#pragma once
// Skin pictures as GDI bitmaps.

#include "base/display_scale.h"
#include "base/win32/gdi.h"
#include "skin/skin_image.h"

namespace kalvoro::win {

// A 32-bit top-down DIB section holding the picture; empty for an empty picture.
Bitmap BitmapFromSkinImage(const SkinImage& image);

}  // namespace kalvoro::win

namespace kalvoro::win {

// The picture's pixels, whatever kind of bitmap holds them; empty when they cannot be read.
SkinImage SkinImageFromBitmap(HBITMAP bitmap);

// A copy of the picture scaled to the display: its design size times the scale, see-through
// decided on the unscaled picture (skin/scale_image.h). At 100 % the copy is plain.
Bitmap ScaledPicture(HBITMAP picture, const DisplayScale& scale);
Bitmap ScaledPicture(HBITMAP picture, int width, int height);

}  // namespace kalvoro::win
