#include "ui/win32/layered_attributes.h"

namespace kalvoro::win {

LayeredAttributes ReadLayeredAttributes(HWND hwnd) {
    LayeredAttributes attributes;
    if (!::IsWindow(hwnd) || !(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED)) return attributes;
    attributes.layered = true;
    COLORREF key = 0;
    BYTE alpha = 255;
    DWORD flags = 0;
    // Fails for windows drawn with UpdateLayeredWindow; they have neither.
    if (!::GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags)) return attributes;
    if (flags & LWA_COLORKEY) attributes.key_colour = key;
    if (flags & LWA_ALPHA) attributes.alpha = alpha;
    return attributes;
}

bool SetLayeredAlpha(HWND hwnd, BYTE alpha) {
    const LayeredAttributes attributes = ReadLayeredAttributes(hwnd);
    if (!attributes.layered) return false;
    const DWORD flags = LWA_ALPHA | (attributes.key_colour ? LWA_COLORKEY : 0);
    return ::SetLayeredWindowAttributes(hwnd, attributes.key_colour.value_or(0), alpha, flags) != FALSE;
}

}  // namespace kalvoro::win
