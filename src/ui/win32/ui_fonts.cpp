#include "ui/win32/ui_fonts.h"

namespace kalvoro::win {

Font CreatePointFont(const wchar_t* face, int points, bool bold, const DisplayScale& scale) {
    return Font(::CreateFontW(scale.FontHeight(points), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                              GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, face));
}

}  // namespace kalvoro::win
