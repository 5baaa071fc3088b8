#pragma once
// The child windows beside the bar and the display mode: at most one of them shows, docked under
// or over the bar and carried along by the snapping service. The calendar window lives from
// start-up to the end; the others come with their own parts of the program.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/app_core.h"
#include "app/display_mode.h"
#include "base/popup_protocol.h"
#include "calendar/win32/frm_calendar.h"
#include "ui/win32/magnetic_service.h"

namespace kalvoro::win {

class ChildWindows {
public:
    ChildWindows(AppCore& core, IPopupSender& popup) : core_(core), popup_(popup) {}
    ~ChildWindows();

    // Creates the calendar window (hidden, owned by the bar) and registers it for snapping.
    void Create(HWND bar, MagneticService* magnetic, const std::wstring& heading_font);

    // Hides every child, then shows the one of the mode beside the bar with the given alpha.
    void SwitchMode(DisplayMode mode, BYTE alpha);
    // The first visible of calendar, clock, weather; compact when none shows.
    DisplayMode CurrentMode() const;
    void HideAll();

    // Minimising the bar hides the showing child and its shadow; restoring shows it again.
    void HideWithBar();
    void ShowWithBar(BYTE alpha);
    // Transparency of the showing child.
    void SetAlpha(BYTE alpha);
    // Another bar skin was applied.
    void ApplySkinFile(const std::string& skin_file);

    // The closing sequence: every child hidden and destroyed.
    void DestroyAll();

    TFrmCalendar* calendar() { return calendar_.get(); }

    // A child's menu asked for another mode (时钟 2, 天气 3, 日历 1).
    std::function<void(DisplayMode)> OnSwitchMode;

private:
    void ShowCalendar(BYTE alpha);

    AppCore& core_;
    IPopupSender& popup_;
    HWND bar_ = nullptr;
    MagneticService* magnetic_ = nullptr;
    std::unique_ptr<TFrmCalendar> calendar_;
    DisplayMode hidden_with_bar_ = DisplayMode::kCompact;
};

}  // namespace kalvoro::win
