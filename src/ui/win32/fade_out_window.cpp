#include "ui/win32/fade_out_window.h"

#include "ui/fade_out.h"
#include "ui/win32/form_shadow.h"
#include "ui/win32/layered_attributes.h"

namespace kalvoro::win {

void FadeOut(HWND form, TFormShadow* shadow) {
    if (shadow) shadow->Show(false);
    const LayeredAttributes attributes = ReadLayeredAttributes(form);
    if (!attributes.layered) return;
    for (const std::uint8_t alpha : FadeOutSteps(attributes.alpha.value_or(255))) {
        if (!SetLayeredAlpha(form, alpha)) return;
        ::Sleep(kFadeOutStepMilliseconds);
    }
}

}  // namespace kalvoro::win
