#include "app/win32/frm_led.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "app/bar_menus.h"
#include "base/file_store.h"
#include "base/popup_protocol.h"
#include "base/win32/dpi.h"
#include "base/win32/text.h"
#include "resource_ids.h"
#include "skin/bar_skin.h"
#include "skin/win32/skin_bitmap.h"
#include "ui/win32/fade_out_window.h"
#include "ui/win32/ui_globals.h"

namespace kalvoro::win {

namespace {

constexpr UINT kMsgTaskbarIcon = TrayIcon::kCallbackMessage;
constexpr int kMinimumAlpha = 55;
constexpr UINT kBalloonMs = 10000;

BYTE BarAlpha(int transparency) {
    // The bar takes the value modulo 256; a result too faint to see would leave the user no bar to
    // click, so it never goes below the settings dialog's own minimum.
    const int alpha = transparency & 0xFF;
    return static_cast<BYTE>(alpha < kMinimumAlpha ? kMinimumAlpha : alpha);
}

}  // namespace

TFrmLED::TFrmLED(AppCore& core, IBarHost& host) : core_(core), host_(host) {}

TFrmLED::~TFrmLED() = default;

bool TFrmLED::Create() {
    WindowClassOptions options;
    options.icon = ::LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(IDI_KALVORO));
    options.small_icon = options.icon;
    if (!RegisterWindowClass(kClassName, options)) return false;

    const int screen_width = ::GetSystemMetrics(SM_CXSCREEN);
    SetScale(ScaleAt(POINT{screen_width - 1, 0}));
    const Size size = Scale().Px(Size{kBarWidth, kBarHeight});
    if (!CreateHandle(WS_EX_LAYERED | WS_EX_TOOLWINDOW, kClassName, L"Kalvoro", WS_POPUP, screen_width - size.width, 0,
                      size.width, size.height, nullptr)) {
        return false;
    }
    view_.Attach(hwnd(), Scale());

    menu_images_.reset(static_cast<HBITMAP>(
        ::LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDB_MENU_IMAGES), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    main_menu_ = std::make_unique<OwnerMenu>(MainMenuItems(), kMainMenuFirstId, menu_images_.get(), Scale());
    tray_menu_ = std::make_unique<OwnerMenu>(TrayMenuItems(), kTrayMenuFirstId, menu_images_.get(), Scale());

    tray_icons_[0] =
        static_cast<HICON>(::LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDI_TRAY0), IMAGE_ICON, 16, 16, LR_SHARED));
    tray_icons_[1] =
        static_cast<HICON>(::LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDI_TRAY1), IMAGE_ICON, 16, 16, LR_SHARED));
    tray_.Attach(hwnd(), tray_icons_[0], tray_icons_[1]);
    tray_.SetToolTip(L"Kalvoro");
    tray_.Add();

    tooltip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                     ModuleInstance(), nullptr));
    view_.AttachToolTips(tooltip_.get());

    ApplySettings();
    if (ShadowsOnFlag() && shadow_.Create(nullptr)) {
        shadow_.Attach(hwnd());
    }
    magnetic_ = std::make_unique<MagneticService>();
    magnetic_->SetSnapDistance(Px(MagneticService::kBarSnapDistance));
    magnetic_->AddWindow(hwnd());
    return true;
}

void TFrmLED::ApplySettings() {
    Guarded([&] {
        const AppSettings& values = core_.settings().values();
        LoadBarSkin(core_.app_dir() + "Skin\\" + values.skin_file);
        view_.ApplyLedFont(values.led);
        ::SetWindowPos(hwnd(), values.on_top ? HWND_TOPMOST : HWND_NOTOPMOST, values.left, values.top, 0, 0,
                       SWP_NOSIZE | SWP_NOACTIVATE);
        SetTransparency(values.transparency);
    });
    // Another skin applied later (the settings dialog) reloads the bar's look.
    core_.settings().Subscribe([this](SettingsChange change) {
        if (change != SettingsChange::kSkins) return;
        Guarded([&] {
            LoadBarSkin(core_.app_dir() + "Skin\\" + core_.settings().values().skin_file);
            ::InvalidateRect(hwnd(), nullptr, FALSE);
        });
    });
}

void TFrmLED::LoadBarSkin(const std::string& path) {
    if (path.empty() || path.back() == '\\') return;
    const auto bytes = DiskFileStore().ReadAll(path);
    if (!bytes) return;
    const auto skin = LoadBarSkinData(*bytes);
    if (!skin) return;  // a damaged package or another version changes nothing
    BarLook look;
    look.background = BitmapFromSkinImage(skin->background);
    look.menu_up = BitmapFromSkinImage(skin->menu_button_up);
    look.menu_hot = BitmapFromSkinImage(skin->menu_button_hot);
    look.min_up = BitmapFromSkinImage(skin->min_button_up);
    look.min_hot = BitmapFromSkinImage(skin->min_button_hot);
    look.panel_colour = skin->led_background;
    look.panel_border = skin->led_border;
    look.date_colour = skin->date_font;
    LedControl& led = view_.led();
    led.SetBGColor(skin->led_background);
    led.SetLightColor(skin->led_light);
    led.SetDarkColor(skin->led_dark);
    view_.ApplyLook(std::move(look));
    main_menu_->set_colours(skin->menu);
    tray_menu_->set_colours(skin->menu);
    menu_colours_ = skin->menu;
}

void TFrmLED::Show() {
    ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

BYTE TFrmLED::alpha() const {
    return BarAlpha(transparency_);
}

void TFrmLED::SetTransparency(int transparency) {
    transparency_ = transparency;
    ::SetLayeredWindowAttributes(hwnd(), RGB(255, 0, 255), alpha(), LWA_COLORKEY | LWA_ALPHA);
    if (ShadowsOnFlag()) shadow_.Refresh();
    host_.BarAlphaChanged(alpha());
}

void TFrmLED::SetAlwaysOnTop(bool on_top) {
    ::SetWindowPos(hwnd(), on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TFrmLED::ApplyLedFont(const LedFontSettings& font) {
    view_.ApplyLedFont(font);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TFrmLED::KeepOnScreen() {
    // A bar left outside every screen after a display change comes back to the nearest one.
    const RECT bar = WindowRect();
    if (::MonitorFromRect(&bar, MONITOR_DEFAULTTONULL)) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromRect(&bar, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const int left =
        std::clamp<int>(bar.left, work.left, std::max<int>(work.left, work.right - (bar.right - bar.left)));
    const int top = std::clamp<int>(bar.top, work.top, std::max<int>(work.top, work.bottom - (bar.bottom - bar.top)));
    ::SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFrmLED::OnDpiChanged(const RECT& suggested) {
    // Another monitor, or the user changed the scale: the bar keeps the suggested place and takes
    // its size at the new scale; the docked children and the shadows follow.
    view_.SetScale(Scale());
    const Size size = view_.BarSize();
    ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, size.width, size.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (magnetic_) magnetic_->SetSnapDistance(Px(MagneticService::kBarSnapDistance));
    host_.BarScaleChanged(Scale());
    if (ShadowsOnFlag()) shadow_.Refresh();
    Invalidate();
}

void TFrmLED::MinimiseToTray() {
    host_.BarHidden();
    ::ShowWindow(hwnd(), SW_HIDE);
}

void TFrmLED::RestoreFromTray() {
    const bool was_hidden = !IsVisible();
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    if (was_hidden) host_.BarRestored(alpha());
}

void TFrmLED::SetHint(const std::string& hint) {
    hint_ = Widen(hint);
    view_.SetHint(hint_);
    tray_.SetToolTip(hint_);
}

void TFrmLED::ShowBalloon(const std::wstring& title, const std::wstring& text) {
    tray_.ShowBalloon(title, text, kBalloonMs);
    ::SetTimer(hwnd(), kTimerHintClose, kBalloonMs, nullptr);
}

// --- menus ---------------------------------------------------------------------------------------

void TFrmLED::TickRadioItems() {
    const MenuCommand mode[] = {MenuCommand::kModeCompact, MenuCommand::kModeCalendar, MenuCommand::kModeClock,
                                MenuCommand::kModeWeather};
    const int current = DisplayModeNumber(host_.CurrentMode());
    main_menu_->CheckRadio(mode[current]);
    tray_menu_->CheckRadio(mode[current]);
}

void TFrmLED::BtnMenuClick() {
    TickRadioItems();
    const RECT button = view_.PartRect(BarPart::kMenuButton);
    POINT corner{button.left, button.bottom};
    ::ClientToScreen(hwnd(), &corner);
    const int id = main_menu_->Track(hwnd(), corner.x, corner.y);
    if (id) OnMenuCommand(*main_menu_, id);
}

void TFrmLED::OnTrayNotify(LPARAM event) {
    switch (LOWORD(event)) {
        case WM_LBUTTONUP:
            RestoreFromTray();
            break;
        case WM_RBUTTONUP: {
            TickRadioItems();
            POINT at;
            ::GetCursorPos(&at);
            const int id = tray_menu_->Track(hwnd(), at.x, at.y);
            if (id) OnMenuCommand(*tray_menu_, id);
            break;
        }
        default:
            break;
    }
}

void TFrmLED::OnMenuCommand(const OwnerMenu& menu, int id) {
    if (const MenuRow* row = menu.RowOf(id)) host_.RunCommand(row->command, row->tag);
}

// --- mouse ---------------------------------------------------------------------------------------

void TFrmLED::DragBar() {
    ::ReleaseCapture();
    ::SendMessageW(hwnd(), WM_SYSCOMMAND, 0xF012, 0);
}

void TFrmLED::OnMouseDown(int x, int y) {
    switch (view_.HitTest(x, y)) {
        case BarPart::kBackground:
        case BarPart::kPanel:
            DragBar();
            break;
        case BarPart::kMenuButton:
            view_.SetPressed(BarPart::kMenuButton);
            BtnMenuClick();
            view_.SetPressed(BarPart::kNone);
            break;
        case BarPart::kMinButton:
            MinimiseToTray();
            break;
        default:
            break;  // the date line takes its own clicks
    }
}

void TFrmLED::OnMouseMove(int x, int y) {
    view_.SetHot(view_.HitTest(x, y));
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd();
    ::TrackMouseEvent(&track);
}

void TFrmLED::OnPaint() {
    PaintDC paint(hwnd());
    view_.Paint(paint.get(), paint.dirty());
}

// --- closing -------------------------------------------------------------------------------------

void TFrmLED::FormClose() {
    if (closing_) return;
    closing_ = true;
    Guarded([&] {
        host_.BarClosing();
        if (ShadowsOnFlag()) {
            if (IsVisible()) FadeOut(hwnd(), &shadow_);
            shadow_.Destroy();
        }
    });
}

void TFrmLED::FormDestroy() {
    Guarded([&] {
        magnetic_.reset();
        tray_.Remove();
        host_.BarDestroyed();
    });
}

void TFrmLED::OnDestroyed() {
    ::PostQuitMessage(0);
}

// --- messages ------------------------------------------------------------------------------------

LRESULT TFrmLED::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CLOSE && handling_depth_ > 0) {
        close_deferred_ = true;  // the handler on the stack may still use the windows closing frees
        return 0;
    }
    ++handling_depth_;
    const LRESULT result = HandleMessageNow(message, wparam, lparam);
    if (--handling_depth_ == 0 && close_deferred_ && hwnd()) {
        close_deferred_ = false;
        ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
    }
    return result;
}

LRESULT TFrmLED::HandleMessageNow(UINT message, WPARAM wparam, LPARAM lparam) {
    if (tray_.OnTaskbarCreated(message)) return 0;
    switch (message) {
        case WM_MOVING:
        case WM_SIZING:
        case WM_ENTERSIZEMOVE:
        case WM_EXITSIZEMOVE:
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = DefaultHandling(message, wparam, lparam);
            if (magnetic_) {
                if (auto snapped = magnetic_->OnBarMessage(hwnd(), message, wparam, lparam)) return *snapped;
            }
            return result;
        }
        case WM_SHOWWINDOW:
            if (ShadowsOnFlag()) shadow_.Show(wparam != FALSE);
            break;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PRINTCLIENT:
        case WM_PRINT:
            view_.PrintTo(reinterpret_cast<HDC>(wparam));
            return 0;
        case WM_COMMAND:
            // The snapping service recomputes the glue after commands too.
            if (magnetic_) magnetic_->OnBarMessage(hwnd(), message, wparam, lparam);
            if (HIWORD(wparam) == 0 && lparam == 0) {
                const int id = LOWORD(wparam);
                Guarded([&] { OnMenuCommand(id >= kTrayMenuFirstId ? *tray_menu_ : *main_menu_, id); });
                return 0;
            }
            break;
        case WM_TIMER:
            if (tray_.OnTimer(wparam)) return 0;
            if (wparam == kTimerHintClose) {
                ::KillTimer(hwnd(), kTimerHintClose);
                tray_.HideBalloon();
                return 0;
            }
            break;  // the program's timers
        case WM_LBUTTONDOWN:
            Guarded([&] { OnMouseDown(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)); });
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
            return 0;
        case WM_MOUSELEAVE:
            view_.SetHot(BarPart::kNone);
            return 0;
        case WM_MEASUREITEM: {
            auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
            if (main_menu_->OnMeasureItem(measure) || tray_menu_->OnMeasureItem(measure)) return TRUE;
            break;
        }
        case WM_DRAWITEM: {
            const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            if (main_menu_->OnDrawItem(draw) || tray_menu_->OnDrawItem(draw)) return TRUE;
            break;
        }
        case kMsgTaskbarIcon:
            Guarded([&] { OnTrayNotify(lparam); });
            return 0;
        case WM_SYSCOMMAND: {
            if ((wparam & 0xFFF0) == SC_RESTORE) {
                Guarded([&] { RestoreFromTray(); });
                if (magnetic_) magnetic_->OnBarMessage(hwnd(), message, wparam, lparam);
                return 0;
            }
            const LRESULT result = DefaultHandling(message, wparam, lparam);
            if (magnetic_) magnetic_->OnBarMessage(hwnd(), message, wparam, lparam);
            return result;
        }
        case kMsgTrayAnimateOn:
            tray_.StartAnimation();
            return 0;
        case kMsgTrayAnimateOff:
            tray_.StopAnimation();
            return 0;
        case WM_DISPLAYCHANGE:
            Guarded([&] { KeepOnScreen(); });
            break;
        case WM_CLOSE:
            FormClose();
            ::DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            FormDestroy();
            return 0;
        default:
            break;
    }
    LRESULT result = 0;
    if (host_.HandleProgramMessage(message, wparam, lparam, result)) return result;
    return DefaultHandling(message, wparam, lparam);
}

}  // namespace kalvoro::win
