#pragma once
// The fonts of the dialogs and their frames, sized in points for the screen's resolution.

#include "base/win32/gdi.h"

namespace kalvoro::win {

inline constexpr wchar_t kDialogFontFace[] = L"宋体";
inline constexpr int kDialogFontPoints = 9;
inline constexpr int kFrameCaptionFontPoints = 10;

Font CreatePointFont(const wchar_t* face, int points, bool bold);

// 宋体 9 pt, the font of every dialog's controls.
inline Font CreateDialogFont() {
    return CreatePointFont(kDialogFontFace, kDialogFontPoints, false);
}
// 宋体 10 pt bold, the frame's caption.
inline Font CreateFrameCaptionFont() {
    return CreatePointFont(kDialogFontFace, kFrameCaptionFontPoints, true);
}

}  // namespace kalvoro::win
