#pragma once
// The bar: the program's main window, and the one the popup program talks to. It is the bar's view
// and input only: the LED time, the date line, the tray icon and its balloon, the menus, dragging
// and snapping, transparency and its shadow. What a click or a message means beyond the bar goes
// to its host (bar_host.h).

#include <windows.h>

#include <memory>
#include <string>

#include "app/app_core.h"
#include "app/win32/bar_host.h"
#include "app/win32/bar_view.h"
#include "app/win32/owner_menu.h"
#include "app/win32/tray_icon.h"
#include "base/win32/gdi.h"
#include "base/win32/handles.h"
#include "base/win32/window.h"
#include "skin/menu_colors.h"
#include "ui/win32/form_shadow.h"
#include "ui/win32/magnetic_service.h"

namespace kalvoro::win {

class TFrmLED final : public Window {
public:
    static constexpr wchar_t kClassName[] = L"TFrmLED";

    TFrmLED(AppCore& core, IBarHost& host);
    ~TFrmLED() override;

    // Builds the window, its menus, tray icon and look from the settings, at the screen's top
    // right corner until the stored place is applied.
    bool Create();
    void Show();

    void SetTransparency(int transparency);
    int transparency() const { return transparency_; }
    // The alpha the bar shows with for its transparency setting.
    BYTE alpha() const;
    void SetAlwaysOnTop(bool on_top);
    void ApplyLedFont(const LedFontSettings& font);
    void MinimiseToTray();
    void RestoreFromTray();
    void KeepOnScreen();

    // What the display shows on the bar.
    void ShowTime(const char* hhmmss) { view_.SetTime(hhmmss); }
    void SetHint(const std::string& hint);
    IDateLine& DateLine() { return view_; }
    FadeTextControl& date_line() { return view_.date_line(); }
    int CurrentDateLine() const { return view_.CurrentLine(); }
    // The tray balloon, closed again after ten seconds.
    void ShowBalloon(const std::wstring& title, const std::wstring& text);

    MagneticService* magnetic() { return magnetic_.get(); }
    HBITMAP menu_images() const { return menu_images_.get(); }
    const MenuColors& menu_colours() const { return menu_colours_; }

private:
    void OnDpiChanged(const RECT& suggested) override;
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    LRESULT HandleMessageNow(UINT message, WPARAM wparam, LPARAM lparam);
    void OnDestroyed() override;

    void ApplySettings();
    void LoadBarSkin(const std::string& path);
    void OnMenuCommand(const OwnerMenu& menu, int id);
    void TickRadioItems();
    void BtnMenuClick();
    void OnTrayNotify(LPARAM event);
    void OnMouseDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnPaint();
    void DragBar();
    void FormClose();
    void FormDestroy();

    static constexpr UINT_PTR kTimerHintClose = 5;

    AppCore& core_;
    IBarHost& host_;
    BarView view_;
    std::unique_ptr<OwnerMenu> main_menu_;
    std::unique_ptr<OwnerMenu> tray_menu_;
    Bitmap menu_images_;
    MenuColors menu_colours_;
    TrayIcon tray_;
    HICON tray_icons_[2] = {};
    WindowHandle tooltip_;
    std::unique_ptr<MagneticService> magnetic_;
    TFormShadow shadow_;
    std::wstring hint_;
    int transparency_ = 200;
    bool closing_ = false;
    // Messages being handled right now; a close that arrives inside one of them (from a nested
    // message loop) waits until the outermost has finished.
    int handling_depth_ = 0;
    bool close_deferred_ = false;
};

}  // namespace kalvoro::win
