#pragma once
// Plain pop-up windows for the window-behaviour tests, and a way to act while a modal loop runs.

#include <windows.h>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "base/win32/gdi.h"
#include "base/win32/window.h"

namespace kalvoro::win::testing {

struct TestWindowOptions {
    RECT rect{100, 100, 300, 200};
    DWORD ex_style = WS_EX_TOOLWINDOW;
    bool visible = true;
    HWND owner = nullptr;
    // Paints the client area; the default leaves it to the frame or the background.
    std::function<void(HDC, const RECT&)> paint;
    // Sees every message before the default handling; a value is the result and skips it.
    std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> before_default;
    // Sees every message after the default handling; a value replaces the result.
    std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> after_default;
};

class TestWindow : public Window {
public:
    explicit TestWindow(TestWindowOptions options) : options_(std::move(options)) {
        RegisterWindowClass(L"KalvoroUiTestWindow",
                            {CS_DBLCLKS, nullptr, nullptr, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)});
        const RECT& r = options_.rect;
        CreateHandle(options_.ex_style, L"KalvoroUiTestWindow", L"", WS_POPUP, r.left, r.top, r.right - r.left,
                     r.bottom - r.top, options_.owner);
        if (hwnd() && options_.visible) {
            ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
            ::UpdateWindow(hwnd());
        }
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_PAINT && options_.paint) {
            PaintDC paint(hwnd());
            options_.paint(paint.get(), ClientRect());
            return 0;
        }
        if (options_.before_default) {
            if (auto result = options_.before_default(hwnd(), message, wparam, lparam)) return *result;
        }
        const LRESULT result = DefaultHandling(message, wparam, lparam);
        if (options_.after_default) {
            if (auto replaced = options_.after_default(hwnd(), message, wparam, lparam)) return *replaced;
        }
        return result;
    }

private:
    TestWindowOptions options_;
};

// Lets pending messages run, as the program's "let pending messages run".
inline void PumpMessages() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// Runs the steps one per timer tick on this thread, so they happen inside whatever message loop is
// running then (a modal dialog's, for one).
class ScheduledSteps {
public:
    explicit ScheduledSteps(std::vector<std::function<void()>> steps, UINT interval_ms = 40)
        : steps_(std::move(steps)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, interval_ms, &ScheduledSteps::OnTimer);
    }
    ScheduledSteps(const ScheduledSteps&) = delete;
    ScheduledSteps& operator=(const ScheduledSteps&) = delete;
    ~ScheduledSteps() {
        if (timer_) ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Done() const { return next_ >= steps_.size(); }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        ScheduledSteps* self = current_;
        if (!self || self->Done()) return;
        // The step may run a nested loop that ticks again; count it taken first.
        auto& step = self->steps_[self->next_++];
        step();
    }

    static inline ScheduledSteps* current_ = nullptr;
    std::vector<std::function<void()>> steps_;
    std::size_t next_ = 0;
    UINT_PTR timer_ = 0;
};

inline RECT RectOf(HWND hwnd) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return rect;
}

}  // namespace kalvoro::win::testing
