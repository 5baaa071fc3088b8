#include "base/win32/gdi.h"

namespace kalvoro::win {

DibSection::DibSection(int width, int height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_) return;
    pixels_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
}

OffscreenSurface::OffscreenSurface(HDC compatible_with, int width, int height)
    : dc_(compatible_with),
      bitmap_(::CreateCompatibleBitmap(compatible_with, width > 0 ? width : 1, height > 0 ? height : 1)),
      select_(dc_.get(), bitmap_.get()),
      width_(width),
      height_(height) {}

void OffscreenSurface::CopyTo(HDC target, int x, int y) const {
    ::BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    const COLORREF previous = ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, previous);
}

void FillGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool vertical) {
    TRIVERTEX vertices[2] = {};
    vertices[0].x = rect.left;
    vertices[0].y = rect.top;
    vertices[0].Red = static_cast<COLOR16>(GetRValue(from) << 8);
    vertices[0].Green = static_cast<COLOR16>(GetGValue(from) << 8);
    vertices[0].Blue = static_cast<COLOR16>(GetBValue(from) << 8);
    vertices[1].x = rect.right;
    vertices[1].y = rect.bottom;
    vertices[1].Red = static_cast<COLOR16>(GetRValue(to) << 8);
    vertices[1].Green = static_cast<COLOR16>(GetGValue(to) << 8);
    vertices[1].Blue = static_cast<COLOR16>(GetBValue(to) << 8);
    GRADIENT_RECT gradient{0, 1};
    ::GradientFill(dc, vertices, 2, &gradient, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

}  // namespace kalvoro::win
