#pragma once
// Showing and hiding a child window that docks beside the bar (the calendar, the weather page):
// shown at full alpha first so it paints whole, then at the bar's alpha with its shadow; hidden with
// the fade-out, keeping the alpha it had for the next show.

#include <windows.h>

namespace kalvoro::win {

class TFormShadow;

void ShowDockedChild(HWND window, TFormShadow* shadow, int left, int top, int alpha);
void HideDockedChild(HWND window, TFormShadow* shadow);
void SetDockedChildAlpha(HWND window, TFormShadow* shadow, int alpha);

}  // namespace kalvoro::win
