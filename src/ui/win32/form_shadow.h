#pragma once
// TFormShadow: the soft drop shadow of a window, a layered pop-up 16 pixels larger on each side
// that stays right behind its form, follows its moves, its visibility and its alpha, and lets every
// mouse click fall through.
//
//   shadow.Create(owner);   // owner: the form's owner (never the form: owned windows stay above it)
//   shadow.Attach(form);
//   shadow.Show(true);      // wanted; it shows while the form shows in its normal state
//   shadow.Refresh();       // after the form's alpha or look changed

#include <windows.h>

#include <cstdint>

#include "base/win32/gdi.h"
#include "base/win32/window.h"
#include "base/colour.h"
#include "base/geometry.h"
#include "ui/shadow_state.h"

namespace kalvoro::win {

class TFormShadow : public Window {
public:
    TFormShadow() = default;
    ~TFormShadow() override;

    bool Create(HWND owner);
    // Replaces the form whose shadow this is; nullptr detaches.
    void Attach(HWND form);
    void Show(bool visible);
    void Refresh();
    // Detaches first.
    void Destroy();

    HWND Form() const { return form_; }
    bool ShadowVisible() const { return shadow_visible_; }
    int Offset() const { return offset_; }
    void SetOffset(int offset);
    Colour ShadowColor() const { return shadow_colour_; }
    void SetShadowColor(Colour colour);

    // What the shadow window was last given.
    Size PictureSize() const { return {image_.width(), image_.height()}; }
    std::uint8_t ConstantAlpha() const { return constant_alpha_; }
    std::uint8_t PictureAlphaAt(int x, int y) const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                     DWORD_PTR self) noexcept;
    void Detach();
    void Nudge() const;
    void HideShadowWindow() const;
    void OnFormPositionChanging(const WINDOWPOS& position) const;
    void OnFormPositionChanged();
    void UpdatePicture(Point origin);
    void PushToWindow(Point origin) const;

    HWND form_ = nullptr;
    bool shadow_visible_ = false;
    int offset_ = 0;
    Colour shadow_colour_ = 0;
    ShadowRedrawState redraw_;
    DibSection image_;
    std::uint8_t constant_alpha_ = 255;
};

}  // namespace kalvoro::win
