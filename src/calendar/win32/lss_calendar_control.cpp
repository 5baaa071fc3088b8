#include "calendar/win32/lss_calendar_control.h"

#include <windowsx.h>

#include "base/win32/text.h"
#include "base/win32/colour.h"
#include "base/win32/rect.h"
#include "calendar/win32/calendar_control_painter.h"

namespace kalvoro::win {
namespace {

constexpr wchar_t kCalendarClass[] = L"KalvoroLssCalendar";
constexpr UINT_PTR kTodayTimerId = 1;

Bitmap CopyPicture(HBITMAP picture) {
    if (!picture) return Bitmap();
    return Bitmap(static_cast<HBITMAP>(::CopyImage(picture, IMAGE_BITMAP, 0, 0, 0)));
}

bool KeyHeld(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

}  // namespace

LssCalendarControl::LssCalendarControl(IClock& clock) : calendar_(clock) {}

LssCalendarControl::~LssCalendarControl() {
    Destroy();
}

bool LssCalendarControl::Create(HWND parent, int x, int y, int width, int height, int control_id) {
    if (!RegisterWindowClass(kCalendarClass)) return false;
    if (!CreateHandle(0, kCalendarClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, x, y, width, height,
                      parent)) {
        return false;
    }
    ::SetWindowLongPtrW(hwnd(), GWLP_ID, control_id);
    return true;
}

void LssCalendarControl::SetMarkImage(HBITMAP picture) {
    mark_image_ = CopyPicture(picture);
    InvalidateCalendar(nullptr);
}

void LssCalendarControl::SetBackImage(HBITMAP picture) {
    back_image_ = CopyPicture(picture);
    InvalidateCalendar(nullptr);
}

void LssCalendarControl::Repaint() {
    if (!hwnd()) return;
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    ::UpdateWindow(hwnd());
}

void LssCalendarControl::InvalidateCalendar(const Rect* rect) {
    if (!hwnd()) return;
    if (!rect) {
        ::InvalidateRect(hwnd(), nullptr, FALSE);
        return;
    }
    const RECT area = ToRECT(*rect);
    ::InvalidateRect(hwnd(), &area, FALSE);
}

bool LssCalendarControl::SurfaceFits() const {
    const RECT client = ClientRect();
    return surface_ && *surface_ && surface_->width() == client.right && surface_->height() == client.bottom;
}

bool LssCalendarControl::EnsureSurface() {
    if (SurfaceFits()) return true;
    // Made like the screen, whatever DC a print message brings.
    const WindowDC screen(hwnd());
    const RECT client = ClientRect();
    surface_ = std::make_unique<OffscreenSurface>(screen.get(), client.right, client.bottom);
    return static_cast<bool>(*surface_);
}

void LssCalendarControl::PaintInto(HRGN update) {
    if (!EnsureSurface()) return;
    fonts_.Update(calendar_);
    painted_today_ = calendar_.Today();
    const CalendarPictures pictures{back_image_.get(), mark_image_.get()};
    const SaveDCScope save(surface_->dc());
    if (update) ::SelectClipRgn(surface_->dc(), update);
    PaintCalendar(surface_->dc(), calendar_, fonts_, pictures, update, painted_today_);
}

void LssCalendarControl::OnPaint() {
    Region update(::CreateRectRgn(0, 0, 0, 0));
    const bool has_region = update && ::GetUpdateRgn(hwnd(), update.get(), FALSE) > NULLREGION;
    const PaintDC dc(hwnd());
    // A surface made just now holds nothing yet: everything is drawn once.
    const bool fresh = !SurfaceFits();
    PaintInto(has_region && !fresh ? update.get() : nullptr);
    if (!SurfaceFits()) return;
    const RECT& dirty = dc.dirty();
    ::BitBlt(dc.get(), dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, surface_->dc(),
             dirty.left, dirty.top, SRCCOPY);
}

void LssCalendarControl::OnButtonDown(CalendarMouseButton button, LPARAM lparam, bool double_click) {
    const int x = GET_X_LPARAM(lparam);
    const int y = GET_Y_LPARAM(lparam);
    if (::GetFocus() != hwnd()) ::SetFocus(hwnd());
    if (button == CalendarMouseButton::Left) {
        left_pressed_ = true;
        ::SetCapture(hwnd());
        calendar_.MouseDown(x, y);
        if (double_click && OnDblClick) OnDblClick();
    }
    if (OnMouseDown) OnMouseDown(button, x, y);
}

void LssCalendarControl::OnButtonUp(CalendarMouseButton button, LPARAM lparam) {
    const int x = GET_X_LPARAM(lparam);
    const int y = GET_Y_LPARAM(lparam);
    if (button == CalendarMouseButton::Left) {
        const bool clicked = left_pressed_;
        left_pressed_ = false;
        if (::GetCapture() == hwnd()) ::ReleaseCapture();
        calendar_.MouseUp();
        const RECT client = ClientRect();
        const POINT point{x, y};
        if (clicked && ::PtInRect(&client, point) && calendar_.OnClick) calendar_.OnClick();
    }
    if (OnMouseUp) OnMouseUp(button, x, y);
}

void LssCalendarControl::OnMouseMove(WPARAM wparam, LPARAM lparam) {
    const int x = GET_X_LPARAM(lparam);
    const int y = GET_Y_LPARAM(lparam);
    calendar_.MouseMove(x, y, (wparam & MK_LBUTTON) != 0 && left_pressed_);
    if (!tracking_leave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
        tracking_leave_ = ::TrackMouseEvent(&track) != FALSE;
    }
    const CalendarHintRequest request = calendar_.HintAt(x, y, SystemDateLocale());
    if (!request.show) {
        hint_.HideHint();
        return;
    }
    if (request.changed) {
        hint_.SetText(request.text);
        POINT screen{x, y};
        ::ClientToScreen(hwnd(), &screen);
        hint_.ShowAt(screen);
    } else {
        hint_.ShowAgain();
    }
}

bool LssCalendarControl::OnKeyDown(WPARAM key) {
    CalendarKey calendar_key;
    switch (key) {
        case VK_LEFT:
            calendar_key = CalendarKey::Left;
            break;
        case VK_RIGHT:
            calendar_key = CalendarKey::Right;
            break;
        case VK_UP:
            calendar_key = CalendarKey::Up;
            break;
        case VK_DOWN:
            calendar_key = CalendarKey::Down;
            break;
        case VK_PRIOR:
            calendar_key = CalendarKey::PageUp;
            break;
        case VK_NEXT:
            calendar_key = CalendarKey::PageDown;
            break;
        case VK_HOME:
            calendar_key = CalendarKey::Home;
            break;
        case VK_END:
            calendar_key = CalendarKey::End;
            break;
        case VK_RETURN:
            calendar_key = CalendarKey::Enter;
            break;
        default:
            return false;
    }
    return calendar_.KeyDown(calendar_key, KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL), KeyHeld(VK_MENU));
}

void LssCalendarControl::OnTodayTimer() {
    const DateTime today = calendar_.Today();
    if (today == painted_today_) return;
    const Rect old_cell = calendar_.GetCellRect(painted_today_);
    const Rect new_cell = calendar_.GetCellRect(today);
    InvalidateCalendar(&old_cell);
    InvalidateCalendar(&new_cell);
}

LRESULT LssCalendarControl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE: {
            const RECT client = ClientRect();
            calendar_.AttachView(*this, client.right, client.bottom);
            hint_.Create(::GetAncestor(hwnd(), GA_ROOT));
            ::SetTimer(hwnd(), kTodayTimerId, kTodayTimerMs, nullptr);
            return 0;
        }
        case WM_DESTROY:
            ::KillTimer(hwnd(), kTodayTimerId);
            hint_.Destroy();
            calendar_.DetachView();
            surface_.reset();
            return 0;
        case WM_SIZE:
            calendar_.Resize(LOWORD(lparam), HIWORD(lparam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_PRINTCLIENT: {
            PaintInto(nullptr);
            if (SurfaceFits()) surface_->CopyTo(reinterpret_cast<HDC>(wparam), 0, 0);
            return 0;
        }
        case WM_TIMER:
            if (wparam == kTodayTimerId) OnTodayTimer();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (OnKeyDown(wparam)) return 0;
            return DefaultHandling(message, wparam, lparam);
        case WM_LBUTTONDOWN:
            OnButtonDown(CalendarMouseButton::Left, lparam, false);
            return 0;
        case WM_LBUTTONDBLCLK:
            OnButtonDown(CalendarMouseButton::Left, lparam, true);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            OnButtonDown(CalendarMouseButton::Right, lparam, false);
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            OnButtonDown(CalendarMouseButton::Middle, lparam, false);
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(CalendarMouseButton::Left, lparam);
            return 0;
        case WM_RBUTTONUP:
            OnButtonUp(CalendarMouseButton::Right, lparam);
            return 0;
        case WM_MBUTTONUP:
            OnButtonUp(CalendarMouseButton::Middle, lparam);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wparam, lparam);
            return 0;
        case WM_MOUSELEAVE:
            tracking_leave_ = false;
            hint_.HideHint();
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lparam) != hwnd()) {
                left_pressed_ = false;
                calendar_.MouseUp();
            }
            return 0;
        default:
            return DefaultHandling(message, wparam, lparam);
    }
}

}  // namespace kalvoro::win
