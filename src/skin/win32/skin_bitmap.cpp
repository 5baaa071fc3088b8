#include "skin/win32/skin_bitmap.h"

#include <algorithm>

#include "skin/scale_image.h"

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

namespace kalvoro::win {

SkinImage SkinImageFromBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) == 0 || info.bmWidth <= 0 || info.bmHeight == 0) return {};
    SkinImage image;
    image.width = info.bmWidth;
    image.height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, 0);
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(request.bmiHeader);
    request.bmiHeader.biWidth = image.width;
    request.bmiHeader.biHeight = -image.height;  // top-down, as SkinImage keeps its rows
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    const int rows = screen ? ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(image.height), image.pixels.data(),
                                          &request, DIB_RGB_COLORS)
                            : 0;
    if (screen) ::ReleaseDC(nullptr, screen);
    if (rows != image.height) return {};
    for (auto& pixel : image.pixels) pixel &= 0xFFFFFF;
    return image;
}

Bitmap ScaledPicture(HBITMAP picture, int width, int height) {
    const SkinImage source = SkinImageFromBitmap(picture);
    if (source.empty()) return {};
    return BitmapFromSkinImage(ScaleSkinImage(source, width, height));
}

Bitmap ScaledPicture(HBITMAP picture, const DisplayScale& scale) {
    BITMAP info{};
    if (!picture || ::GetObjectW(picture, sizeof(info), &info) == 0) return {};
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    return ScaledPicture(picture, scale.Px(info.bmWidth), scale.Px(height));
}

}  // namespace kalvoro::win
