#pragma once
// The bar's tray icon: tool tip, balloon, two-icon animation, and re-adding itself when Explorer
// restarts (the "TaskbarCreated" broadcast).
//
// The environment variable KALVORO_BALLOON_LOG=<log file>, read once when the icon is attached (at
// the program's start), makes it also append each balloon it asks for to that file, one UTF-8 line
// "title<TAB>text" each: for seeing which balloons the program shows and when (end-to-end tests).

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace kalvoro::win {

class TrayIcon {
public:
    static constexpr UINT kCallbackMessage = WM_APP + 1;
    static constexpr UINT_PTR kAnimationTimerId = 0x7A1;
    static constexpr UINT kAnimationIntervalMs = 600;

    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { Remove(); }

    void Attach(HWND owner, HICON icon0, HICON icon1);
    bool Add();
    void Remove();
    void SetToolTip(const std::wstring& text);
    void ShowBalloon(const std::wstring& title, const std::wstring& text, UINT timeout_ms);
    void HideBalloon();

    void StartAnimation();
    void StopAnimation();
    // Call from the owner's WM_TIMER with the timer id; true when it was the animation timer.
    bool OnTimer(UINT_PTR id);
    // Call from the owner's window procedure for every message; true when it was the broadcast.
    bool OnTaskbarCreated(UINT message);

    bool animating() const { return animating_; }
    int frame() const { return frame_; }

private:
    NOTIFYICONDATAW BaseData(UINT flags) const;

    HWND owner_ = nullptr;
    HICON icons_[2] = {};
    std::wstring tip_;
    std::wstring balloon_log_;  // empty: nothing logged
    bool added_ = false;
    bool animating_ = false;
    int frame_ = 0;
    UINT taskbar_created_ = 0;
};

}  // namespace kalvoro::win
