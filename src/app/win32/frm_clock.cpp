#include "app/win32/frm_clock.h"

#include <windowsx.h>

#include <algorithm>

#include "base/ini_file.h"
#include "skin/clock_skin.h"
#include "skin/skin_files.h"
#include "ui/win32/fade_out_window.h"
#include "ui/win32/layered_attributes.h"
#include "ui/win32/menu_painter.h"
#include "ui/win32/ui_fonts.h"

namespace kalvoro::win {
namespace {

constexpr COLORREF kMagentaKey = RGB(255, 0, 255);
constexpr int kNoCommand = -1;

}  // namespace

struct TFrmClock::MenuRow {
    const wchar_t* caption = L"";
    int command = kNoCommand;  // ClockMenuCommand, or none for separators and the submenu
    bool separator = false;
};

// The composed picture: a 32-bit DIB section kept selected into its own memory DC for the
// window's life, so a tick composes into it and copies it with one BitBlt.
struct TFrmClock::Surface {
    Surface(int width, int height) : dib(width, height), dc(nullptr), select(dc.get(), dib.get()) {}
    PixelRows Rows() const { return {dib.pixels(), dib.width(), dib.height(), dib.width()}; }

    DibSection dib;
    MemoryDC dc;
    SelectObjectScope select;
};

TFrmClock::TFrmClock(ClockWindowHost host) : host_(std::move(host)) {}

TFrmClock::~TFrmClock() {
    // Destroyed by its owner: no report, but the window and shadow go while this is still whole.
    host_.on_closed = nullptr;
    Destroy();
}

bool TFrmClock::Create() {
    RegisterWindowClass(kClassName, {CS_DBLCLKS, nullptr, nullptr, nullptr, nullptr});
    if (!CreateHandle(WS_EX_LAYERED | WS_EX_TOOLWINDOW, kClassName, L"时钟", WS_POPUP, 0, 0, 1, 1, host_.owner)) {
        return false;
    }
    ::SetLayeredWindowAttributes(hwnd(), kMagentaKey, 255, LWA_COLORKEY | LWA_ALPHA);
    menu_font_ = CreateDialogFont();
    BuildMenu();
    if (host_.shadows_on) {
        shadow_ = std::make_unique<TFormShadow>();
        if (shadow_->Create(host_.owner)) {
            shadow_->Attach(hwnd());
        } else {
            shadow_.reset();
        }
    }
    return true;
}

void TFrmClock::LoadClockSkin(const std::string& path, bool colours_only, const MenuColors& bar_menu_colours) {
    if (shadow_) shadow_->Show(false);
    if (!colours_only) {
        IFileStore& files = host_.files ? *host_.files : DiskFileStore();
        if (const auto bytes = ReadSkinPackageFile(files, path)) {
            if (const auto skin = LoadClockSkinData(*bytes)) {
                face_.LoadSkin(*skin);
                ResizeToFace();
            }
        }
    }
    menu_colours_ = bar_menu_colours;
    if (shadow_ && shadow_shown_) {
        shadow_->Show(true);
        shadow_->Refresh();
    }
}

void TFrmClock::ReloadClockSkin(const std::string& app_dir, const std::string& clock_file, bool colours_only,
                                const MenuColors& bar_menu_colours) {
    Guarded([&] {
        const std::optional<std::string> path = ClockSkinPath(app_dir, clock_file);
        if (path) {
            LoadClockSkin(*path, colours_only, bar_menu_colours);
        } else {
            LoadClockSkin({}, true, bar_menu_colours);  // no package named: the colours still follow the bar
        }
    });
}

void TFrmClock::ResizeToFace() {
    const int width = std::max(face_.Width(), 1);
    const int height = std::max(face_.Height(), 1);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    surface_ = std::make_unique<Surface>(width, height);
    if (!surface_->dib) surface_.reset();
    Invalidate();
}

void TFrmClock::ShowAt(int left, int top, int opacity, DateTime now) {
    if (!hwnd()) return;
    SetLayeredAlpha(hwnd(), 255);
    ::SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateClockHands(now);
    ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    // Painted at full alpha before the alpha drops; no nested message loop, so nothing else (a
    // close, another mode switch) can run in the middle of showing the window.
    ::UpdateWindow(hwnd());
    SetOpacity(opacity);
    if (shadow_) {
        shadow_->Show(true);
        shadow_->Refresh();
        shadow_shown_ = true;
    }
}

void TFrmClock::UpdateClockHands(DateTime now) {
    if (!face_.UpdateHands(now) || !surface_ || !IsVisible()) return;
    WindowDC dc(hwnd());
    if (dc) ComposeAndPaint(dc.get());
}

void TFrmClock::SetOpacity(int opacity) {
    if (!hwnd()) return;
    SetLayeredAlpha(hwnd(), static_cast<BYTE>(std::clamp(opacity, 0, 255)));
    if (shadow_) shadow_->Refresh();
}

void TFrmClock::CloseFromModeSwitch() {
    if (!hwnd()) return;
    SetLayeredAlpha(hwnd(), 255);
    if (shadow_) shadow_->Refresh();
    ::UpdateWindow(hwnd());
    CloseWindow();
}

void TFrmClock::CloseWindow() {
    const HWND window = hwnd();
    if (!window) return;
    if (IsVisible() && shadow_) {
        FadeOut(window, shadow_.get());
    } else if (shadow_) {
        shadow_->Show(false);
    }
    // WM_DESTROY frees the shadow and WM_NCDESTROY tells the host, which may free this object:
    // nothing of it is touched after this call.
    ::DestroyWindow(window);
}

void TFrmClock::ComposeAndPaint(HDC target) {
    ::GdiFlush();  // GDI may still be writing the DIB's pixels
    face_.Compose(surface_->Rows());
    ::BitBlt(target, 0, 0, surface_->dib.width(), surface_->dib.height(), surface_->dc.get(), 0, 0, SRCCOPY);
}

void TFrmClock::OnPaint() {
    PaintDC paint(hwnd());
    if (surface_) ComposeAndPaint(paint.get());
}

void TFrmClock::BuildMenu() {
    rows_ = std::make_unique<std::array<MenuRow, 10>>(std::array<MenuRow, 10>{{
        {L"定时任务", static_cast<int>(ClockMenuCommand::kTasks)},
        {L"城市时间查询", static_cast<int>(ClockMenuCommand::kWorldTime)},
        {L"-", kNoCommand, true},
        {L"时钟样式", static_cast<int>(ClockMenuCommand::kClockStyle)},
        {L"时间校正", static_cast<int>(ClockMenuCommand::kTimeCorrection)},
        {L"-", kNoCommand, true},
        {L"切换到", kNoCommand},
        {L"日历", static_cast<int>(ClockMenuCommand::kSwitchToCalendar)},
        {L"天气", static_cast<int>(ClockMenuCommand::kSwitchToWeather)},
        {L"关闭窗口", static_cast<int>(ClockMenuCommand::kCloseWindow)},
    }});
    menu_.reset(::CreatePopupMenu());
    const HMENU submenu = ::CreatePopupMenu();
    auto& rows = *rows_;
    const auto item = [](HMENU menu, const MenuRow& row) {
        const UINT flags = MF_OWNERDRAW | (row.separator ? MF_SEPARATOR : 0);
        ::AppendMenuW(menu, flags, row.separator ? 0 : kFirstMenuId + row.command, reinterpret_cast<LPCWSTR>(&row));
    };
    for (int i = 0; i < 6; ++i) item(menu_.get(), rows[i]);
    item(submenu, rows[7]);
    item(submenu, rows[8]);
    ::AppendMenuW(menu_.get(), MF_OWNERDRAW | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
                  reinterpret_cast<LPCWSTR>(&rows[6]));
    item(menu_.get(), rows[9]);
}

void TFrmClock::ShowMenu(POINT screen) {
    ::SetForegroundWindow(hwnd());
    const int id = static_cast<int>(
        ::TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd(), nullptr));
    ::PostMessageW(hwnd(), WM_NULL, 0, 0);
    if (id != 0) RunMenuCommand(id);  // may close and free this window: nothing after it
}

void TFrmClock::RunMenuCommand(int id) {
    const int command = id - kFirstMenuId;
    if (command < 0 || command >= kClockMenuCommandCount) return;
    // A copy: the host may close this window from the report.
    const auto report = host_.on_menu_command;
    const bool closes = command == static_cast<int>(ClockMenuCommand::kCloseWindow);
    if (closes) {
        if (report) report(ClockMenuCommand::kCloseWindow);
        CloseWindow();
        return;
    }
    if (report) report(static_cast<ClockMenuCommand>(command));
}

LRESULT TFrmClock::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            // The face, a hand or the cap: move the window as if its caption were dragged.
            ::ReleaseCapture();
            ::SendMessageW(hwnd(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
            return 0;
        case WM_CONTEXTMENU: {
            POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            if (at.x == -1 && at.y == -1) ::GetCursorPos(&at);
            ShowMenu(at);
            return 0;
        }
        case WM_COMMAND:
            if (HIWORD(wparam) == 0) RunMenuCommand(LOWORD(wparam));
            return 0;
        case WM_MEASUREITEM: {
            auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
            if (measure.CtlType != ODT_MENU || !rows_) break;
            const auto* row = reinterpret_cast<const MenuRow*>(measure.itemData);
            if (row < rows_->data() || row >= rows_->data() + rows_->size()) break;
            MeasureMenuItem(measure, menu_font_.get(), {row->caption, row->separator, nullptr, -1});
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            if (draw.CtlType != ODT_MENU || !rows_) break;
            const auto* row = reinterpret_cast<const MenuRow*>(draw.itemData);
            if (row < rows_->data() || row >= rows_->data() + rows_->size()) break;
            const int image = row->command >= 0 ? host_.menu_image_index[static_cast<std::size_t>(row->command)] : -1;
            PaintMenuItem(draw, menu_font_.get(), menu_colours_,
                          {row->caption, row->separator, image >= 0 ? host_.menu_images : nullptr, image});
            return TRUE;
        }
        case WM_DESTROY:
            if (shadow_) {
                shadow_->Destroy();
                shadow_.reset();
            }
            break;
        default:
            break;
    }
    return DefaultHandling(message, wparam, lparam);
}

void TFrmClock::OnDestroyed() {
    // Last: the host may free this object from the report.
    const auto closed = std::move(host_.on_closed);
    host_.on_closed = nullptr;
    if (closed) closed();
}

}  // namespace kalvoro::win
