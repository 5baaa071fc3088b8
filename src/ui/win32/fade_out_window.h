#pragma once
// Fading a window out: its shadow goes first, then the window's alpha drops by 30 every 30 ms while
// it is above 30. Blocks the calling thread for the steps; the caller hides or destroys the window
// afterwards.

#include <windows.h>

namespace kalvoro::win {

class TFormShadow;

// A window that is not layered has no alpha to step and returns at once.
void FadeOut(HWND form, TFormShadow* shadow);

}  // namespace kalvoro::win
