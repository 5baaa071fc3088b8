#pragma once
// TFrmWeather: the child window of display mode 3, a skinned panel that shows the weather page in
// the system's web browser control, clipped to a 320 x 109 area. Where no browser control can be
// made, or no page address is set, that area says so in one line and a click on it retries.
//
// The bar creates it on first use (owner the bar) and keeps it until the program ends:
//
//   TFrmWeather weather(clock);
//   weather.Create(bar, AppDir, HeadingFont, addresses.weather_page, skin_file);
//   weather.OnSwitchMode = [&](int mode) { SwitchMode(mode); };   // 时钟 -> 2, 日历 -> 1
//   weather.OnWorldTime = [&] { OpenWorldTime(); };               // 城市时间查询
//   weather.ShowAt(left, top, transparency);  ...  weather.HideWindow();
//   weather.SetSkinFile(skin_file);   // after the options dialog applied a bar skin
//   weather.SetWindowAlpha(alpha); // the options dialog's transparency slider

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "base/clock.h"
#include "base/file_store.h"
#include "base/win32/gdi.h"
#include "base/win32/window.h"
#include "calendar/win32/skinned_popup_menu.h"
#include "online/weather_page.h"
#include "online/win32/web_browser_host.h"
#include "ui/win32/form_shadow.h"

namespace kalvoro::win {

class TFrmWeather final : public Window {
public:
    static constexpr wchar_t kClassName[] = L"TFrmWeather";
    static constexpr int kWidth = 332;  // before a skin gives the background's size
    static constexpr int kHeight = 160;
    static constexpr RECT kPanelRect{6, 44, 326, 153};      // RzPanel1, 320 x 109
    static constexpr RECT kBrowserPlace{-2, -2, 339, 111};  // RzPanel2 in RzPanel1, 341 x 113
    static constexpr RECT kHeadingRect{15, 19, 98, 40};     // RzLabel3, right-aligned
    static constexpr RECT kButtonRect{100, 27, 111, 38};    // BtnGNG

    enum MenuId : int {
        kWorldTimeId = 100,  // PM_CSSJ 城市时间查询
        kClockModeId,        // PM_ShiZhong 时钟
        kCalendarModeId,     // PM_RiLi 日历
        kCloseId,            // PM_Hide 关闭窗口
        kRefreshId,          // PM_Refresh 刷新...
    };

    explicit TFrmWeather(IClock& clock, IFileStore& files = DiskFileStore());
    ~TFrmWeather() override;

    // FormCreate: hidden, owned by the bar; the page loaded, the shadow when shadows are on, the bar
    // skin package skin_file of "Skin\". page_url empty: no page is set.
    bool Create(HWND bar, std::string app_dir, std::string heading_font, std::string page_url,
                std::string skin_file = {});

    // FormShow at a place with an alpha; a page loaded on an earlier day is loaded again.
    void ShowAt(int left, int top, int alpha);
    // Closing: fades out (when shadows are on) and hides; the window lives on.
    void HideWindow();
    void SetWindowAlpha(int alpha);
    // The bar's display changed resolution: the window, its panel, fonts and pictures follow.
    void ApplyScale(const DisplayScale& scale);

    void LoadWeatherSkin(const std::string& path);
    void SetSkinFile(std::string skin_file);

    // LoadWeatherPage (also 刷新...).
    void LoadWeatherPage();
    void RunMenuCommand(int id);

    std::function<void(int mode)> OnSwitchMode;
    std::function<void()> OnWorldTime;

    // What the tests look at.
    bool BrowserAvailable() const { return browser_.Available(); }
    const std::string& PanelMessage() const { return panel_message_; }
    DateTime LoadedDate() const { return schedule_.LoadedDate(); }
    int PageLoads() const { return page_loads_; }
    HWND Panel() const { return panel_; }
    const TFormShadow* Shadow() const { return shadow_.get(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnDpiChanged(const RECT& suggested) override;

private:
    // A rectangle of the 96-DPI layout at the window's scale.
    RECT At(const RECT& design) const;

    static LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                      DWORD_PTR self) noexcept;
    bool CreatePanel();
    void ShowPanelMessage(std::string text);
    void PaintPanel(HDC dc) const;
    void PaintWindow(HDC dc) const;
    void OnPaint();
    bool OnHeadingOrButton(POINT point) const;
    void OpenRefreshMenu();
    void OpenContextMenu(POINT screen_point);
    void Track(POINT screen_point, const std::vector<PopupMenuItem>& items);

    IClock& clock_;
    IFileStore& files_;
    std::string app_dir_;
    std::string skin_file_;
    std::string page_url_;
    std::string heading_font_name_;
    HWND panel_ = nullptr;
    WebBrowserHost browser_;
    std::string panel_message_;
    std::unique_ptr<TFormShadow> shadow_;
    SkinnedPopupMenu menu_;
    WeatherPageSchedule schedule_;
    int page_loads_ = 0;

    Bitmap background_;
    Bitmap button_glyph_;
    Font heading_font_;
    Font panel_font_;
    COLORREF font_colour_ = 0;
    int width_ = kWidth;
    int height_ = kHeight;
    bool heading_pressed_ = false;
};

}  // namespace kalvoro::win
