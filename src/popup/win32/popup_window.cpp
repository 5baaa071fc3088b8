#include "popup/win32/popup_window.h"

#include <windowsx.h>

#include <algorithm>

namespace kalvoro::win {
namespace {

constexpr UINT_PTR kFadeTimer = 1;
constexpr UINT kFadeIntervalMs = 30;
constexpr int kFadeStep = 30;
constexpr int kWheelLines = 3;

}  // namespace

PopupWindow::PopupWindow(int id, std::wstring text, std::wstring arrival_time, const PopupLook& look,
                         PopupWindowEvents& events)
    : id_(id), text_(std::move(text)), arrival_time_(std::move(arrival_time)), look_(look), events_(events) {
    text_height_ = look_.MeasureText(text_);
}

bool PopupWindow::Show(const RECT& place, int alpha) {
    if (!RegisterWindowClass(kClassName, WindowClassOptions{.style = 0})) return false;
    place_ = place;
    alpha_ = alpha;
    // The window text is the message itself, for screen readers and automation.
    if (!CreateHandle(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE, kClassName, text_.c_str(),
                      WS_POPUP, place.left, place.top, place.right - place.left, place.bottom - place.top, nullptr)) {
        return false;
    }
    SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(alpha_), LWA_ALPHA);
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return true;
}

void PopupWindow::MoveTo(const RECT& place) {
    if (EqualRect(&place, &place_)) return;
    const bool resized = (place.right - place.left) != (place_.right - place_.left) ||
                         (place.bottom - place.top) != (place_.bottom - place_.top);
    place_ = place;
    if (!hwnd()) return;
    SetWindowPos(hwnd(), HWND_TOPMOST, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOACTIVATE);
    if (resized) {
        scroll_ = std::min(scroll_, look_.MaxScroll(ClientRect(), text_height_));
        Invalidate();
    }
}

void PopupWindow::SetAlpha(int alpha) {
    alpha_ = alpha;
    if (hwnd() && !fading_) SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(alpha_), LWA_ALPHA);
}

void PopupWindow::FadeOut() {
    if (fading_ || !hwnd()) return;
    fading_ = true;
    if (!SetTimer(hwnd(), kFadeTimer, kFadeIntervalMs, nullptr)) {
        alpha_ = 0;
        OnFadeStep();
    }
}

void PopupWindow::OnFadeStep() {
    if (alpha_ > kFadeStep) {
        alpha_ -= kFadeStep;
        SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(alpha_), LWA_ALPHA);
        return;
    }
    KillTimer(hwnd(), kFadeTimer);
    ShowWindow(hwnd(), SW_HIDE);
    events_.OnPopupFadedOut(id_);
}

LRESULT PopupWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_MOUSEMOVE:
            OnMouseMove(POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
            pressed_ = true;
            return 0;
        case WM_LBUTTONUP:
            if (pressed_ && !fading_) {
                pressed_ = false;
                events_.OnPopupClicked(id_);
            }
            return 0;
        case WM_MOUSEWHEEL:
            OnWheel(GET_WHEEL_DELTA_WPARAM(wparam));
            return 0;
        case WM_TIMER:
            if (wparam == kFadeTimer) OnFadeStep();
            return 0;
        default:
            return DefaultHandling(message, wparam, lparam);
    }
}

void PopupWindow::OnPaint() {
    PaintDC paint(hwnd());
    const RECT client = ClientRect();
    OffscreenSurface surface(paint.get(), client.right, client.bottom);
    if (!surface) return;
    look_.Paint(surface.dc(), client, PopupPaintState{text_, arrival_time_, text_height_, scroll_, close_hot_});
    surface.CopyTo(paint.get(), 0, 0);
}

void PopupWindow::OnMouseMove(POINT point) {
    if (!hovering_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
        if (TrackMouseEvent(&track)) {
            hovering_ = true;
            events_.OnPopupHeld(id_, true);
        }
    }
    const RECT close = look_.CloseBox(ClientRect());
    SetCloseHot(PtInRect(&close, point) != FALSE);
}

void PopupWindow::OnMouseLeave() {
    hovering_ = false;
    pressed_ = false;
    SetCloseHot(false);
    events_.OnPopupHeld(id_, false);
}

void PopupWindow::SetCloseHot(bool hot) {
    if (close_hot_ == hot) return;
    close_hot_ = hot;
    const RECT close = look_.CloseBox(ClientRect());
    InvalidateRect(hwnd(), &close, FALSE);
}

void PopupWindow::OnWheel(int delta) {
    const int max_scroll = look_.MaxScroll(ClientRect(), text_height_);
    if (max_scroll == 0) return;
    // High-resolution wheels send small deltas; keep the rest for the next notch.
    wheel_remainder_ += delta;
    const int notches = wheel_remainder_ / WHEEL_DELTA;
    if (notches == 0) return;
    wheel_remainder_ -= notches * WHEEL_DELTA;
    const int scroll = std::clamp(scroll_ - notches * kWheelLines * look_.line_height(), 0, max_scroll);
    if (scroll == scroll_) return;
    scroll_ = scroll;
    Invalidate();
}

}  // namespace kalvoro::win
