#include "online/win32/frm_weather.h"
#include "base/win32/dpi.h"
#include "base/win32/rect.h"
#include "skin/scale_image.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "base/ini_file.h"
#include "base/win32/text.h"
#include "skin/skin_files.h"
#include "skin/weather_skin.h"
#include "skin/win32/skin_bitmap.h"
#include "ui/win32/docked_child.h"
#include "ui/win32/fade_out_window.h"
#include "ui/win32/layered_attributes.h"
#include "ui/win32/ui_fonts.h"
#include "ui/win32/ui_globals.h"

namespace kalvoro::win {
namespace {

constexpr COLORREF kSeeThrough = RGB(255, 0, 255);
// Without a skin package the window keeps a plain look of its own.
constexpr COLORREF kBuiltInFace = RGB(0xDA, 0xF1, 0xFC);
constexpr COLORREF kBuiltInFrame = RGB(0x5F, 0xBA, 0xE4);
constexpr COLORREF kHeadingShadow = RGB(0x40, 0x40, 0x40);
constexpr COLORREF kPanelText = RGB(0x60, 0x60, 0x60);
constexpr COLORREF kPanelLink = RGB(0x00, 0x66, 0xCC);
constexpr int kHeadingFontPixels = 19;
constexpr UINT kSysCommandDragMove = 0xF012;
constexpr UINT_PTR kPanelSubclassId = 1;

Font CreateHeadingFont(const std::string& face, const DisplayScale& scale) {
    return Font(::CreateFontW(-scale.Px(kHeadingFontPixels), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                              Widen(face).c_str()));
}

void DrawText(HDC dc, std::string_view text, RECT rect, UINT format) {
    const std::wstring wide = Widen(text);
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, DT_NOPREFIX | DT_SINGLELINE | format);
}

void DrawGlyph(HDC dc, HBITMAP glyph, const RECT& place, const DisplayScale& scale) {
    BITMAP info{};
    if (glyph && ::GetObjectW(glyph, sizeof(info), &info)) {
        const int width = std::min<int>(place.right - place.left, info.bmWidth);
        const int height = std::min<int>(place.bottom - place.top, info.bmHeight);
        const MemoryDC source(dc);
        const SelectObjectScope select(source.get(), glyph);
        ::TransparentBlt(dc, place.left, place.top, width, height, source.get(), 0, 0, width, height, kSeeThrough);
        return;
    }
    const int side = scale.Px(2);
    const int rise = scale.Px(3);
    const POINT arrow[] = {{place.left + side, place.top + rise},
                           {place.right - side, place.top + rise},
                           {(place.left + place.right) / 2, place.bottom - rise}};
    const Brush brush(::CreateSolidBrush(RGB(0x40, 0x40, 0x40)));
    const SelectObjectScope select_brush(dc, brush.get());
    const SelectObjectScope select_pen(dc, ::GetStockObject(NULL_PEN));
    ::Polygon(dc, arrow, 3);
}

}  // namespace

TFrmWeather::TFrmWeather(IClock& clock, IFileStore& files) : clock_(clock), files_(files) {}

TFrmWeather::~TFrmWeather() {
    browser_.Destroy();
    if (shadow_) shadow_->Destroy();
    Destroy();
}

bool TFrmWeather::Create(HWND bar, std::string app_dir, std::string heading_font, std::string page_url,
                         std::string skin_file) {
    skin_file_ = std::move(skin_file);
    if (hwnd()) return true;
    app_dir_ = std::move(app_dir);
    heading_font_name_ = std::move(heading_font);
    page_url_ = std::move(page_url);
    if (!RegisterWindowClass(kClassName, {CS_DBLCLKS})) return false;
    SetScale(ScaleOfWindow(bar));
    if (!CreateHandle(WS_EX_LAYERED | WS_EX_TOOLWINDOW, kClassName, L"天气预报", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                      Px(width_), Px(height_), bar)) {
        return false;
    }
    ::SetLayeredWindowAttributes(hwnd(), kSeeThrough, 255, LWA_COLORKEY | LWA_ALPHA);
    panel_font_ = CreateDialogFont(Scale());
    if (!CreatePanel()) return false;
    LoadWeatherPage();
    if (ShadowsOnFlag()) {
        shadow_ = std::make_unique<TFormShadow>();
        if (shadow_->Create(bar)) {
            shadow_->Attach(hwnd());
        } else {
            shadow_.reset();
        }
    }
    SetSkinFile(skin_file_);
    heading_font_ = CreateHeadingFont(heading_font_name_, Scale());
    return true;
}

RECT TFrmWeather::At(const RECT& design) const {
    return ScaledRECT(Scale(), design);
}

void TFrmWeather::ApplyScale(const DisplayScale& scale) {
    if (scale == Scale() || !hwnd()) return;
    SetScale(scale);
    panel_font_ = CreateDialogFont(scale);
    heading_font_ = CreateHeadingFont(heading_font_name_, scale);
    const RECT panel = At(kPanelRect);
    if (panel_) {
        ::SetWindowPos(panel_, nullptr, panel.left, panel.top, panel.right - panel.left, panel.bottom - panel.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::SetWindowPos(hwnd(), nullptr, 0, 0, Px(width_), Px(height_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetSkinFile(skin_file_);
    Invalidate();
}

void TFrmWeather::OnDpiChanged(const RECT& suggested) {
    const DisplayScale scale = Scale();
    SetScale(DisplayScale{0});  // so that ApplyScale lays everything out again
    ApplyScale(scale);
    ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TFrmWeather::CreatePanel() {
    const RECT r = At(kPanelRect);
    panel_ = ::CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | SS_NOTIFY, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, hwnd(), nullptr, ModuleInstance(), nullptr);
    if (!panel_) return false;
    ::SetWindowSubclass(panel_, &TFrmWeather::PanelProc, kPanelSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

// ---- The page ------------------------------------------------------------------------------------

void TFrmWeather::LoadWeatherPage() {
    schedule_.MarkLoaded(clock_.Now());
    ++page_loads_;
    if (page_url_.empty()) {
        ShowPanelMessage(kWeatherNoAddressText);
        return;
    }
    if (!browser_.Available() && !browser_.Create(panel_, At(kBrowserPlace))) {
        ShowPanelMessage(kWeatherUnavailableText);
        return;
    }
    ShowPanelMessage("");
    browser_.Navigate(Widen(page_url_));
}

void TFrmWeather::ShowPanelMessage(std::string text) {
    panel_message_ = std::move(text);
    if (panel_) ::InvalidateRect(panel_, nullptr, TRUE);
}

void TFrmWeather::PaintPanel(HDC dc) const {
    RECT client{};
    ::GetClientRect(panel_, &client);
    FillSolid(dc, client, RGB(255, 255, 255));
    if (panel_message_.empty()) return;
    const SelectObjectScope select(dc, panel_font_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kPanelText);
    const int middle = (client.top + client.bottom) / 2;
    DrawText(dc, panel_message_, {client.left + 4, middle - 18, client.right - 4, middle - 2}, DT_CENTER | DT_BOTTOM);
    ::SetTextColor(dc, kPanelLink);
    DrawText(dc, kWeatherRefreshCaption, {client.left + 4, middle + 2, client.right - 4, middle + 18},
             DT_CENTER | DT_TOP);
}

LRESULT CALLBACK TFrmWeather::PanelProc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                        DWORD_PTR self_data) noexcept {
    auto* self = reinterpret_cast<TFrmWeather*>(self_data);
    switch (message) {
        case WM_PAINT: {
            Guarded([&] {
                const PaintDC dc(panel);
                self->PaintPanel(dc.get());
            });
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONUP:
            // The line in place of the page offers 刷新....
            if (!self->panel_message_.empty()) Guarded([&] { self->OpenRefreshMenu(); });
            return 0;
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(panel, &TFrmWeather::PanelProc, kPanelSubclassId);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(panel, message, wparam, lparam);
}

// ---- Showing and hiding ------------------------------------------------------------------------

void TFrmWeather::ShowAt(int left, int top, int alpha) {
    if (!hwnd()) return;
    if (schedule_.NeedsLoadOnShow(clock_.Now())) LoadWeatherPage();
    ShowDockedChild(hwnd(), shadow_.get(), left, top, alpha);
}

void TFrmWeather::HideWindow() {
    HideDockedChild(hwnd(), shadow_.get());
}

void TFrmWeather::SetWindowAlpha(int alpha) {
    SetDockedChildAlpha(hwnd(), shadow_.get(), alpha);
}

// ---- Skin ----------------------------------------------------------------------------------------

void TFrmWeather::LoadWeatherSkin(const std::string& path) {
    const std::optional<std::string> bytes = ReadSkinPackageFile(files_, path);
    if (!bytes) return;
    const std::optional<WeatherSkin> skin = LoadWeatherSkinData(*bytes);
    if (!skin) return;
    const auto scaled = [this](const SkinImage& picture) {
        return BitmapFromSkinImage(ScaleSkinImage(picture, Px(picture.width), Px(picture.height)));
    };
    background_ = scaled(skin->background);
    button_glyph_ = scaled(skin->button_up);
    font_colour_ = static_cast<COLORREF>(skin->font) & 0xFFFFFF;
    menu_.SetColours(skin->menu);
    if (!skin->background.empty()) {
        width_ = skin->background.width;
        height_ = skin->background.height;
    }
    if (hwnd()) {
        ::SetWindowPos(hwnd(), nullptr, 0, 0, Px(width_), Px(height_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate();
        if (shadow_) shadow_->Refresh();
    }
}

void TFrmWeather::SetSkinFile(std::string skin_file) {
    skin_file_ = std::move(skin_file);
    Guarded([this] {
        if (const std::optional<std::string> path = BarSkinPath(app_dir_, skin_file_)) LoadWeatherSkin(*path);
    });
}

// ---- Menus ---------------------------------------------------------------------------------------

void TFrmWeather::RunMenuCommand(int id) {
    switch (id) {
        case kWorldTimeId:
            if (OnWorldTime) OnWorldTime();
            break;
        case kClockModeId:
            if (OnSwitchMode) OnSwitchMode(2);
            break;
        case kCalendarModeId:
            if (OnSwitchMode) OnSwitchMode(1);
            break;
        case kCloseId:
            HideWindow();
            break;
        case kRefreshId:
            LoadWeatherPage();
            break;
        default:
            break;
    }
}

void TFrmWeather::Track(POINT screen_point, const std::vector<PopupMenuItem>& items) {
    RunMenuCommand(menu_.Track(hwnd(), screen_point, items));
}

void TFrmWeather::OpenRefreshMenu() {
    const RECT heading = At(kHeadingRect);
    POINT at{heading.left, heading.bottom};
    ::ClientToScreen(hwnd(), &at);
    Track(at, {{kWeatherRefreshCaption, kRefreshId}});
}

void TFrmWeather::OpenContextMenu(POINT screen_point) {
    PopupMenuItem switch_to{"切换到", 0};
    switch_to.submenu = {{"时钟", kClockModeId}, {"日历", kCalendarModeId}};
    Track(screen_point,
          {{"城市时间查询", kWorldTimeId}, PopupMenuItem::Separator(), switch_to, {"关闭窗口", kCloseId}});
}

bool TFrmWeather::OnHeadingOrButton(POINT point) const {
    const RECT heading = At(kHeadingRect);
    const RECT button = At(kButtonRect);
    return ::PtInRect(&heading, point) || ::PtInRect(&button, point);
}

// ---- Painting ------------------------------------------------------------------------------------

void TFrmWeather::PaintWindow(HDC dc) const {
    const RECT client{0, 0, Px(width_), Px(height_)};
    BITMAP picture{};
    if (background_ && ::GetObjectW(background_.get(), sizeof(picture), &picture)) {
        FillSolid(dc, client, kSeeThrough);
        const MemoryDC source(dc);
        const SelectObjectScope select(source.get(), background_.get());
        ::BitBlt(dc, 0, 0, picture.bmWidth, picture.bmHeight, source.get(), 0, 0, SRCCOPY);
    } else {
        FillSolid(dc, client, kBuiltInFace);
        const Brush frame(::CreateSolidBrush(kBuiltInFrame));
        ::FrameRect(dc, &client, frame.get());
    }
    DrawGlyph(dc, button_glyph_.get(), At(kButtonRect), Scale());
    ::SetBkMode(dc, TRANSPARENT);
    const SelectObjectScope select(dc, heading_font_.get());
    ::SetTextColor(dc, kHeadingShadow);
    const RECT h = At(kHeadingRect);
    const int shadow = Px(2);
    DrawText(dc, kWeatherHeading, {h.left + shadow, h.top + shadow, h.right + shadow, h.bottom + shadow},
             DT_RIGHT | DT_TOP);
    ::SetTextColor(dc, font_colour_);
    DrawText(dc, kWeatherHeading, h, DT_RIGHT | DT_TOP);
}

void TFrmWeather::OnPaint() {
    const PaintDC dc(hwnd());
    const OffscreenSurface surface(dc.get(), Px(width_), Px(height_));
    if (!surface) {
        PaintWindow(dc.get());
        return;
    }
    PaintWindow(surface.dc());
    const RECT& dirty = dc.dirty();
    ::BitBlt(dc.get(), dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, surface.dc(),
             dirty.left, dirty.top, SRCCOPY);
}

// ---- Messages ------------------------------------------------------------------------------------

LRESULT TFrmWeather::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_PRINTCLIENT:
            PaintWindow(reinterpret_cast<HDC>(wparam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN: {
            const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            heading_pressed_ = OnHeadingOrButton(point);
            if (!heading_pressed_) {
                ::ReleaseCapture();
                ::SendMessageW(hwnd(), WM_SYSCOMMAND, kSysCommandDragMove, 0);
            }
            return 0;
        }
        case WM_LBUTTONUP: {
            const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            if (std::exchange(heading_pressed_, false) && OnHeadingOrButton(point)) OpenRefreshMenu();
            return 0;
        }
        case WM_CONTEXTMENU: {
            POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            if (lparam == -1) {
                at = {Px(kPanelRect.left), Px(kPanelRect.top)};
                ::ClientToScreen(hwnd(), &at);
            }
            OpenContextMenu(at);
            return 0;
        }
        case WM_MEASUREITEM:
            if (menu_.OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam))) return TRUE;
            break;
        case WM_DRAWITEM:
            if (menu_.OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam))) return TRUE;
            break;
        case WM_SHOWWINDOW:
            if (shadow_) shadow_->Show(wparam != FALSE);
            break;
        case WM_CLOSE:
            HideWindow();
            return 0;
        case WM_DESTROY:
            // The control goes before the window that holds it.
            browser_.Destroy();
            break;
        default:
            break;
    }
    return DefaultHandling(message, wparam, lparam);
}

}  // namespace kalvoro::win
