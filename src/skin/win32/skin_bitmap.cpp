#include "skin/win32/skin_bitmap.h"

#include <algorithm>

namespace kalvoro::win {

Bitmap BitmapFromSkinImage(const SkinImage& image) {
    if (image.empty() || image.pixels.size() < static_cast<std::size_t>(image.width) * image.height) return {};
    DibSection dib(image.width, image.height);
    if (!dib) return {};
    std::copy(image.pixels.begin(), image.pixels.begin() + static_cast<std::ptrdiff_t>(image.width) * image.height,
              dib.pixels());
    ::GdiFlush();
    // The DIB section's bitmap outlives the wrapper once released from it.
    return Bitmap(dib.Release());
}

}  // namespace kalvoro::win
