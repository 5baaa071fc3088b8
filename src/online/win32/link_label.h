#pragma once
// Link labels of the dialogs: a static control with SS_NOTIFY, underlined, in the highlight colour,
// with the hand cursor; a click opens its address with the shell.

#include <windows.h>

#include "base/win32/gdi.h"

namespace kalvoro::win {

// The dialog font, underlined.
Font CreateLinkFont(HFONT dialog_font);
// For the dialog's WM_CTLCOLORSTATIC after the base colours were set.
void ColourLinkLabel(HDC dc);
// For WM_SETCURSOR: the hand over a link label; true when set.
bool SetLinkCursor(HWND over, const HWND* links, int count);

}  // namespace kalvoro::win
