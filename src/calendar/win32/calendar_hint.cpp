#include "calendar/win32/calendar_hint.h"

#include <algorithm>

#include "base/win32/text.h"

namespace kalvoro::win {
namespace {

constexpr wchar_t kHintClass[] = L"KalvoroCalendarHint";

Font CreateHintFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return Font(::CreateFontIndirectW(&metrics.lfStatusFont));
    }
    return Font(nullptr);
}

}  // namespace

TCalendarHint::TCalendarHint() : font_(CreateHintFont()), text_colour_(::GetSysColor(COLOR_INFOTEXT)) {}

bool TCalendarHint::Create(HWND owner) {
    WindowClassOptions options;
    options.style = CS_DROPSHADOW | CS_SAVEBITS;
    if (!RegisterWindowClass(kHintClass, options)) return false;
    return CreateHandle(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT, kHintClass, L"",
                        WS_POPUP | WS_BORDER, 0, 0, 0, 0, owner);
}

CalSize TCalendarHint::Measure(std::string_view text) const {
    const WindowDC dc(hwnd());
    if (!dc) return {};
    const SelectObjectScope select(dc.get(), font_ ? font_.get() : ::GetStockObject(DEFAULT_GUI_FONT));
    const std::wstring wide = Widen(text);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
    return {extent.cx, extent.cy};
}

void TCalendarHint::SetText(std::string_view text) {
    text_ = text;
    layout_ = LayoutHintText(text_, [this](std::string_view part) { return Measure(part); });
    if (!hwnd()) return;
    if (!layout_.visible || layout_.width <= 0 || layout_.height <= 0) {
        HideHint();
        return;
    }
    ::SetWindowPos(hwnd(), nullptr, 0, 0, layout_.width, layout_.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

POINT TCalendarHint::PlaceNear(POINT point, SIZE size, const RECT& screen) {
    POINT place{point.x + kHintPointerOffset, point.y + kHintPointerOffset};
    if (place.x + size.cx > screen.right) place.x = screen.right - size.cx;
    if (place.y + size.cy > screen.bottom) place.y = screen.bottom - size.cy;
    place.x = std::max(place.x, screen.left);
    place.y = std::max(place.y, screen.top);
    return place;
}

void TCalendarHint::ShowAt(POINT screen_point) {
    if (!hwnd() || !layout_.visible) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromPoint(screen_point, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT window = WindowRect();
    const POINT place =
        PlaceNear(screen_point, {window.right - window.left, window.bottom - window.top}, monitor.rcMonitor);
    ::SetWindowPos(hwnd(), HWND_TOPMOST, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TCalendarHint::ShowAgain() {
    if (hwnd() && layout_.visible && !IsVisible()) ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

void TCalendarHint::HideHint() {
    if (IsVisible()) ::ShowWindow(hwnd(), SW_HIDE);
}

void TCalendarHint::SetAlpha(int alpha) {
    if (alpha < 0 || alpha > 255 || alpha == alpha_) return;
    alpha_ = alpha;
    if (!hwnd()) return;
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    ::SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, style | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(alpha_), LWA_ALPHA);
}

void TCalendarHint::Paint(HDC dc) const {
    RECT client = ClientRect();
    FillSolid(dc, client, ::GetSysColor(COLOR_INFOBK));
    const SelectObjectScope select(dc, font_ ? font_.get() : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    for (std::size_t i = 0; i < layout_.lines.size(); ++i) {
        const HintLine& line = layout_.lines[i];
        const int y = layout_.LineY(static_cast<int>(i));
        if (!line.label.empty()) {
            const std::wstring label = Widen(line.label);
            ::SetTextColor(dc, RGB(255, 0, 0));
            ::TextOutW(dc, layout_.LabelX(), y, label.c_str(), static_cast<int>(label.size()));
        }
        const std::wstring text = Widen(line.text);
        ::SetTextColor(dc, text_colour_);
        ::TextOutW(dc, layout_.TextX(), y, text.c_str(), static_cast<int>(text.size()));
    }
}

LRESULT TCalendarHint::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const PaintDC dc(hwnd());
            Paint(dc.get());
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wparam));
            return 0;
        default:
            return DefaultHandling(message, wparam, lparam);
    }
}

}  // namespace kalvoro::win
