#include "online/win32/link_label.h"

namespace kalvoro::win {

Font CreateLinkFont(HFONT dialog_font) {
    LOGFONTW look{};
    if (!dialog_font || !::GetObjectW(dialog_font, sizeof(look), &look)) return Font();
    look.lfUnderline = TRUE;
    return Font(::CreateFontIndirectW(&look));
}

void ColourLinkLabel(HDC dc) {
    ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHT));
}

bool SetLinkCursor(HWND over, const HWND* links, int count) {
    for (int i = 0; i < count; ++i) {
        if (over && over == links[i]) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return true;
        }
    }
    return false;
}

}  // namespace kalvoro::win
