#pragma once
// The fonts of the dialogs and their frames, sized in points for a window's resolution.

#include "base/display_scale.h"
#include "base/win32/gdi.h"

namespace kalvoro::win {

inline constexpr wchar_t kDialogFontFace[] = L"宋体";
inline constexpr int kDialogFontPoints = 9;
inline constexpr int kFrameCaptionFontPoints = 10;

Font CreatePointFont(const wchar_t* face, int points, bool bold, const DisplayScale& scale);

// 宋体 9 pt, the font of every dialog's controls.
inline Font CreateDialogFont(const DisplayScale& scale) {
    return CreatePointFont(kDialogFontFace, kDialogFontPoints, false, scale);
}
// 宋体 10 pt bold, the frame's caption.
inline Font CreateFrameCaptionFont(const DisplayScale& scale) {
    return CreatePointFont(kDialogFontFace, kFrameCaptionFontPoints, true, scale);
}

}  // namespace kalvoro::win
