#include "ui/win32/docked_child.h"

#include <algorithm>

#include "ui/win32/fade_out_window.h"
#include "ui/win32/form_shadow.h"
#include "ui/win32/layered_attributes.h"
#include "ui/win32/ui_globals.h"

namespace kalvoro::win {

void ShowDockedChild(HWND window, TFormShadow* shadow, int left, int top, int alpha) {
    if (!window) return;
    SetLayeredAlpha(window, 255);
    ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(window, SW_SHOW);
    ::UpdateWindow(window);
    SetLayeredAlpha(window, static_cast<BYTE>(std::clamp(alpha, 0, 255)));
    if (shadow) {
        shadow->Show(true);
        shadow->Refresh();
    }
}

void HideDockedChild(HWND window, TFormShadow* shadow) {
    if (!window || !::IsWindowVisible(window)) return;
    const BYTE alpha = ReadLayeredAttributes(window).alpha.value_or(255);
    if (ShadowsOnFlag()) FadeOut(window, shadow);
    ::ShowWindow(window, SW_HIDE);
    // The next show starts from the alpha the window had, not from the end of the fade.
    SetLayeredAlpha(window, alpha);
}

void SetDockedChildAlpha(HWND window, TFormShadow* shadow, int alpha) {
    if (!window) return;
    SetLayeredAlpha(window, static_cast<BYTE>(std::clamp(alpha, 0, 255)));
    if (shadow) shadow->Refresh();
}

}  // namespace kalvoro::win
