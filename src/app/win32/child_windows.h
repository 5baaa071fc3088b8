#pragma once
// The child windows beside the bar and the display mode: at most one of them shows, docked under
// or over the bar and carried along by the snapping service. The calendar lives from start-up to
// the end, but its window is made when it first shows: a bar that never shows it keeps neither
// the window, its skin pictures nor the fonts its grid is fitted with (the mark reminder and the
// mark list need no window). The analog clock is created each time its mode is chosen and
// destroyed when it closes.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/app_core.h"
#include "app/bar_menus.h"
#include "app/display_mode.h"
#include "base/popup_protocol.h"
#include "calendar/win32/frm_calendar.h"
#include "skin/menu_colors.h"
#include "online/win32/frm_weather.h"
#include "app/win32/frm_clock.h"
#include "ui/win32/magnetic_service.h"

namespace kalvoro::win {

class ChildWindows {
public:
    ChildWindows(AppCore& core, IPopupSender& popup) : core_(core), popup_(popup) {}
    ~ChildWindows();

    // Prepares the calendar; its window (hidden, owned by the bar, registered for snapping) is made
    // when it first shows. The bar's menu images serve the children's menus too.
    void Create(HWND bar, MagneticService* magnetic, const std::wstring& heading_font, HBITMAP menu_images);
    // The weather page's address; empty: no page is set.
    void SetWeatherPage(std::string address) { weather_page_ = std::move(address); }
    // The bar skin's menu colours, for the children's menus.
    void SetMenuColours(const MenuColors& colours) { menu_colours_ = colours; }

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
    // The bar's display changed resolution: the calendar follows and stays docked.
    void SetScale(const DisplayScale& scale);
    // Another bar skin was applied.
    void ApplySkinFile(const std::string& skin_file);
    // Another clock skin was applied: an open clock window takes it at once.
    void ApplyClockFile();

    // The tick's display update: the clock's hands when the window exists and (force or visible).
    void UpdateClockHands(DateTime now, bool force);
    // The clock window's place while it shows; false when it does not.
    bool ClockPlace(int& left, int& top) const;

    // The closing sequence: every child hidden and destroyed.
    void DestroyAll();

    // The calendar, its window made or not yet.
    TFrmCalendar* calendar() { return calendar_.get(); }
    TFrmClock* clock() { return clock_.get(); }
    TFrmWeather* weather() { return weather_.get(); }

    // A child's menu asked for another mode (时钟 2, 天气 3, 日历 1).
    std::function<void(DisplayMode)> OnSwitchMode;
    // A child's menu item that the host carries out (定时任务, 城市时间查询, the settings pages).
    std::function<void(MenuCommand command, int tag)> OnCommand;

private:
    // The calendar with its window made; nullptr when it cannot be made.
    TFrmCalendar* CalendarWindow();
    void ShowCalendar(BYTE alpha);
    void ShowClock(BYTE alpha);
    void ShowWeather(BYTE alpha);
    // Below the bar, or above it when the bar sits in the lower half of the screen.
    int ChildTop(int child_height) const;
    void CloseClock();
    void OnClockMenu(ClockMenuCommand command);

    AppCore& core_;
    IPopupSender& popup_;
    HWND bar_ = nullptr;
    MagneticService* magnetic_ = nullptr;
    HBITMAP menu_images_ = nullptr;
    MenuColors menu_colours_;
    std::unique_ptr<TFrmCalendar> calendar_;
    std::unique_ptr<TFrmClock> clock_;
    std::unique_ptr<TFrmWeather> weather_;
    std::wstring heading_font_;
    std::string weather_page_;
    DisplayMode hidden_with_bar_ = DisplayMode::kCompact;
    // The scale the bar was last told of, for a calendar window made after it.
    std::optional<DisplayScale> bar_scale_;
};

}  // namespace kalvoro::win
