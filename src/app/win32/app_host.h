#pragma once
// The thin Win32 host beneath the windows: it creates the bar and the child windows, hands each
// what it needs from the application core, runs the program's timers (the tick, the start-up
// steps, the mark reminder, the saved places) and carries out the menu commands. wWinMain owns it.

#include <windows.h>

#include <memory>
#include <string>

#include "app/app_core.h"
#include "app/clock_display.h"
#include "app/win32/app_services.h"
#include "app/win32/bar_host.h"
#include "app/win32/child_windows.h"
#include "app/win32/frm_led.h"
#include "app/win32/online_extras.h"
#include "app/win32/popup_link.h"

namespace kalvoro::win {

class AppHost final : public IBarHost, public IBarDisplay {
public:
    AppHost(AppCore& core, std::wstring command_line_parameter);
    ~AppHost() override;
    AppHost(const AppHost&) = delete;
    AppHost& operator=(const AppHost&) = delete;

    // The start-up sequence, in its fixed order; false when the bar's window cannot be made.
    bool Create();
    // Shows the bar; the start child follows a moment later.
    void Show();
    HWND bar_window() const { return bar_.hwnd(); }

private:
    // IBarHost
    void RunCommand(MenuCommand command, int tag) override;
    DisplayMode CurrentMode() const override;
    void BarHidden() override;
    void BarRestored(BYTE alpha) override;
    void BarAlphaChanged(BYTE alpha) override;
    void BarScaleChanged(const DisplayScale& scale) override;
    bool HandleProgramMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
    void BarClosing() override;
    void BarDestroyed() override;

    // IBarDisplay
    void ShowTime(const char* hhmmss) override { bar_.ShowTime(hhmmss); }
    void SetHint(const std::string& hint) override { bar_.SetHint(hint); }
    IDateLine& DateLine() override { return bar_.DateLine(); }
    void UpdateClockHands(DateTime now, bool force) override;

    void CreateChildren();
    void LoadWindowSkin();
    void OnTimer(UINT_PTR id);
    void RunTick();
    void ShowStartChild();
    void StartUpMessage();
    void HideAtStart();
    void RepeatMarkReminder();
    void RunMarkReminder();
    void ShowStartBalloon();
    // Saves the bar's and the clock's places when they moved; every other tick calls it.
    void SavePlaces();
    void SetTimer(UINT_PTR id, UINT interval_ms);
    void KillTimer(UINT_PTR id);

    // The commands (app_host_commands.cpp).
    void SwitchMode(DisplayMode mode);
    void ShowOptionsPage(int page);
    void ShowHelp();
    void OpenTaskList();
    void OpenWorldTime();

    static constexpr UINT_PTR kTimerClock = 1;
    static constexpr UINT_PTR kTimerChild = 2;
    static constexpr UINT_PTR kTimerMsg = 3;
    static constexpr UINT_PTR kTimerWarStep = 4;
    static constexpr UINT_PTR kTimerStartHide = 7;

    AppCore& core_;
    std::wstring parameter_;
    PopupLink popup_;
    TFrmLED bar_;
    std::unique_ptr<ChildWindows> children_;
    std::unique_ptr<ClockDisplay> display_;
    std::unique_ptr<AppServices> services_;
    std::unique_ptr<OnlineExtras> online_;

    UINT clock_interval_ms_ = 0;  // the clock timer's interval as last set
    bool save_place_due_ = false;
    bool start_hidden_ = false;
    bool balloon_after_hide_ = false;
    bool first_show_ = true;
    int saved_bar_left_ = 0;
    int saved_bar_top_ = 0;
    int saved_child_left_ = 0;
    int saved_child_top_ = 0;
};

}  // namespace kalvoro::win
