#include "tasks/win32/task_pictures.h"

#include <commctrl.h>

#include <string_view>

#include "base/jpeg_image.h"

namespace kalvoro::win {
namespace {

// A 24-bit DIB from top-down RGB rows.
Bitmap BitmapFromRgb(const unsigned char* rgb, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    const int stride = (width * 3 + 3) & ~3;
    auto* out = static_cast<unsigned char*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* from = rgb + (y * width + x) * 3;
            unsigned char* to = out + y * stride + x * 3;
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return bitmap;
}

}  // namespace

Bitmap CreateTaskImageStrip() {
    return BitmapFromRgb(kTaskImageStripRgb, 96, 16);
}

HIMAGELIST CreateTaskImageList() {
    const HIMAGELIST list = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 6, 0);
    if (!list) return nullptr;
    const Bitmap strip = CreateTaskImageStrip();
    if (strip) ::ImageList_AddMasked(list, strip.get(), RGB(255, 0, 255));
    return list;
}

Bitmap CreateShutDownPicture(int& width, int& height) {
    const auto image = DecodeJpeg(std::string_view(reinterpret_cast<const char*>(kShutDownJpeg), kShutDownJpegSize));
    if (!image) return {};
    width = image->width;
    height = image->height;
    return BitmapFromRgb(image->rgb.data(), image->width, image->height);
}

}  // namespace kalvoro::win
