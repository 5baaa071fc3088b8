#pragma once
// The window base every window of the program derives from. The static window procedure binds
// `this` on WM_NCCREATE (from lpCreateParams) and forwards every message to HandleMessage.
// No exception crosses the window procedure: a handler that throws ends quietly and the message
// gets its default handling, so an error in one handler never takes the clock down.
//
// Convention: On<Event> members handle a message or notification; the handler names of the
// program's design (TimerClockTimer, BtnMinClick ...) are kept where it names them.

#include <windows.h>

#include <utility>

#include "base/display_scale.h"
#include "base/guard.h"

#include <string>

namespace kalvoro::win {

struct WindowClassOptions {
    UINT style = CS_DBLCLKS;
    HICON icon = nullptr;
    HICON small_icon = nullptr;
    HCURSOR cursor = nullptr;  // nullptr: the arrow
    HBRUSH background = nullptr;
};

// Registers the class once per process; later calls return true without registering again.
bool RegisterWindowClass(const wchar_t* class_name, const WindowClassOptions& options = {});

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }
    bool IsAlive() const { return hwnd_ != nullptr && ::IsWindow(hwnd_); }
    bool IsVisible() const { return hwnd_ != nullptr && ::IsWindowVisible(hwnd_); }
    void Destroy();

    // The resolution the window is laid out for: its design sizes times this scale.
    const DisplayScale& Scale() const { return scale_; }
    int Px(int design) const { return scale_.Px(design); }

    RECT WindowRect() const;
    RECT ClientRect() const;
    void Invalidate(bool erase = false) const;

protected:
    // Set before CreateHandle from where the window will appear (ScaleAt, ScaleOfWindow).
    void SetScale(DisplayScale scale) { scale_ = scale; }
    // The window moved to a monitor of another resolution, or the user changed the scale: Scale()
    // is already the new one. The default takes the rectangle the system suggests; windows with
    // a layout lay themselves out again first.
    virtual void OnDpiChanged(const RECT& suggested);

    bool CreateHandle(DWORD ex_style, const wchar_t* class_name, const wchar_t* title, DWORD style, int x, int y,
                      int width, int height, HWND parent);

    // Default handling is DefWindowProc; derived classes call it for what they do not handle.
    virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT DefaultHandling(UINT message, WPARAM wparam, LPARAM lparam);
    // Called after the window is gone (WM_NCDESTROY); hwnd() is already null.
    virtual void OnDestroyed() {}

private:
    friend bool RegisterWindowClass(const wchar_t* class_name, const WindowClassOptions& options);
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
    HWND hwnd_ = nullptr;
    DisplayScale scale_;
};

// Runs a handler's body guarded against exceptions: an error ends it quietly, after one line in
// the error log (base/guard.h).
template <typename F>
bool Guarded(F&& body) noexcept {
    return GuardedCall("window handler", std::forward<F>(body));
}

HINSTANCE ModuleInstance();

}  // namespace kalvoro::win
