#include "ui/win32/ui_fonts.h"

namespace kalvoro::win {

Font CreatePointFont(const wchar_t* face, int points, bool bold) {
    int dpi = 96;
    if (const HDC screen = ::GetDC(nullptr)) {
        dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::ReleaseDC(nullptr, screen);
    }
    return Font(::CreateFontW(-::MulDiv(points, dpi, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                              GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, face));
}

}  // namespace kalvoro::win
