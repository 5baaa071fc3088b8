#pragma once
// One popup message on screen: topmost, never taking the focus, see-through at the settings'
// alpha. A click closes it, the wheel scrolls a long text, and while the pointer rests on it it
// does not close by itself. Closing fades it out and then tells the owner it is gone.

#include <windows.h>

#include <string>

#include "base/win32/window.h"
#include "popup/win32/popup_look.h"

namespace kalvoro::win {

class PopupWindowEvents {
public:
    virtual ~PopupWindowEvents() = default;
    virtual void OnPopupClicked(int id) = 0;
    virtual void OnPopupHeld(int id, bool held) = 0;
    // Called once the fade-out has finished; the window is about to be destroyed.
    virtual void OnPopupFadedOut(int id) = 0;
};

class PopupWindow final : public Window {
public:
    static constexpr wchar_t kClassName[] = L"KalvoroSablewinPopup";

    PopupWindow(int id, std::wstring text, std::wstring arrival_time, const PopupLook& look, PopupWindowEvents& events);

    bool Show(const RECT& place, int alpha);
    void MoveTo(const RECT& place);
    void SetAlpha(int alpha);
    void FadeOut();

    int id() const { return id_; }
    const RECT& place() const { return place_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void OnPaint();
    void OnMouseMove(POINT point);
    void OnMouseLeave();
    void OnWheel(int delta);
    void OnFadeStep();
    void SetCloseHot(bool hot);

    int id_;
    std::wstring text_;
    std::wstring arrival_time_;
    const PopupLook& look_;
    PopupWindowEvents& events_;
    RECT place_{};
    int text_height_ = 0;
    int scroll_ = 0;
    int wheel_remainder_ = 0;
    int alpha_ = 255;
    bool hovering_ = false;
    bool close_hot_ = false;
    bool pressed_ = false;
    bool fading_ = false;
};

}  // namespace kalvoro::win
