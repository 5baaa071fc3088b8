#include "app/win32/bar_view.h"

#include <commctrl.h>

#include <array>

#include "base/win32/text.h"

namespace kalvoro::win {

namespace {

constexpr RECT kPanelRect{53, 4, 53 + 116, 4 + 26};
constexpr RECT kLedRect{54, 5, 54 + 117, 5 + 23};
constexpr RECT kDateLineRect{173, 12, 173 + 154, 12 + 20};
constexpr RECT kMenuButtonRect{8, 4, 8 + 43, 4 + 27};
constexpr RECT kMinButtonRect{296, 1, 296 + 26, 1 + 9};
constexpr COLORREF kColourKey = RGB(255, 0, 255);

bool Inside(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

Font MakeFont(const wchar_t* face, int height, int weight, bool italic, bool underline, bool strike, DWORD quality) {
    return Font(::CreateFontW(height, 0, 0, 0, weight, italic, underline, strike, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH, face));
}

void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& at) {
    MemoryDC source(dc);
    SelectObjectScope select(source.get(), bitmap);
    ::BitBlt(dc, at.left, at.top, at.right - at.left, at.bottom - at.top, source.get(), 0, 0, SRCCOPY);
}

}  // namespace

void BarView::Attach(HWND bar) {
    bar_ = bar;
    // The bar's LED values; a skin replaces the colours.
    led_.SetAutoSize(false);
    led_.SetOffSetX(6);
    led_.SetOffSetY(2);
    led_.SetThick(3);
    led_.SetWordWidth(15);
    led_.SetWordHeight(19);
    led_.SetThick(3);
    led_.SetSpace(3);
    led_.SetText("00:00:00");
    led_.SetBGColor(RGB(0, 0, 0));
    led_.SetLightColor(RGB(255, 0, 255));
    led_.SetDarkColor(3618615);
    led_.SetDrawDarkColor(false);
    led_.SetSize(117, 23);
    date_line_.Create(bar_, kDateLineRect.left, kDateLineRect.top, kDateLineRect.right - kDateLineRect.left,
                      kDateLineRect.bottom - kDateLineRect.top);
    HandBackgroundToDateLine();
    // Built-in look until a skin is applied: lit segments in a soft green.
    led_.SetLightColor(RGB(57, 211, 83));
}

void BarView::AttachToolTips(HWND tooltip) {
    tooltip_ = tooltip;
    if (!tooltip_) return;
    ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    const std::array<std::pair<RECT, const wchar_t*>, 3> tools{{
        {kPanelRect, L""},
        {kMenuButtonRect, L"主菜单"},
        {kMinButtonRect, L"最小化"},
    }};
    UINT id = 1;
    for (const auto& [rect, text] : tools) {
        TOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_SUBCLASS;
        info.hwnd = bar_;
        info.uId = id++;
        info.rect = rect;
        info.lpszText = const_cast<wchar_t*>(text);
        ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void BarView::SetHint(const std::wstring& hint) {
    if (!tooltip_) return;
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = bar_;
    info.uId = 1;
    info.lpszText = const_cast<wchar_t*>(hint.c_str());
    ::SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

BarPart BarView::HitTest(int x, int y) const {
    if (Inside(kMenuButtonRect, x, y)) return BarPart::kMenuButton;
    if (Inside(kMinButtonRect, x, y)) return BarPart::kMinButton;
    if (Inside(kPanelRect, x, y)) return BarPart::kPanel;
    if (Inside(kDateLineRect, x, y)) return BarPart::kDateLine;
    if (x >= 0 && y >= 0 && x < kBarWidth && y < kBarHeight) return BarPart::kBackground;
    return BarPart::kNone;
}

RECT BarView::PartRect(BarPart part) const {
    switch (part) {
        case BarPart::kPanel:
            return kPanelRect;
        case BarPart::kDateLine:
            return kDateLineRect;
        case BarPart::kMenuButton:
            return kMenuButtonRect;
        case BarPart::kMinButton:
            return kMinButtonRect;
        default:
            return RECT{0, 0, kBarWidth, kBarHeight};
    }
}

void BarView::InvalidatePart(BarPart part) const {
    if (!bar_) return;
    const RECT r = PartRect(part);
    ::InvalidateRect(bar_, &r, FALSE);
}

void BarView::SetTime(const char* hhmmss) {
    if (std::char_traits<char>::compare(time_text_, hhmmss, 8) == 0) return;
    std::char_traits<char>::copy(time_text_, hhmmss, 8);
    for (int i = 0; i < 8; ++i) time_wide_[static_cast<std::size_t>(i)] = static_cast<wchar_t>(hhmmss[i]);
    led_.SetText(std::string_view(time_text_, 8));
    InvalidatePart(BarPart::kPanel);  // the plain-text time shares the panel
}

void BarView::SetHot(BarPart part) {
    if (part == hot_) return;
    const BarPart previous = hot_;
    hot_ = part;
    for (BarPart p : {previous, part}) {
        if (p == BarPart::kMenuButton || p == BarPart::kMinButton) InvalidatePart(p);
    }
}

void BarView::SetPressed(BarPart part) {
    pressed_ = part;
    InvalidatePart(BarPart::kMenuButton);
    if (bar_) ::UpdateWindow(bar_);
}

void BarView::ApplyLedFont(const LedFontSettings& font) {
    led_digits_ = font.led_digits;
    time_colour_ = static_cast<COLORREF>(font.colour);
    // Points to pixels at the screen's resolution, as the font dialog means them.
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    const int height = -::MulDiv(font.size_points, dpi, 72);
    time_font_ = MakeFont(Widen(font.name).c_str(), height, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
                          font.underline, font.strike_out, ANTIALIASED_QUALITY);
    InvalidatePart(BarPart::kPanel);
}

void BarView::ApplyLook(BarLook look) {
    look_ = std::move(look);
    HandBackgroundToDateLine();
    if (bar_) ::InvalidateRect(bar_, nullptr, FALSE);
}

void BarView::Paint(HDC target) {
    // Made once: the bar repaints every second and should not make and free a bitmap each time.
    if (!surface_) surface_ = std::make_unique<OffscreenSurface>(target, kBarWidth, kBarHeight);
    if (!*surface_) return;
    OffscreenSurface& surface = *surface_;
    HDC dc = surface.dc();
    PaintBackground(dc);
    PaintPanel(dc);
    PaintButtons(dc);
    surface.CopyTo(target, 0, 0);
}

void BarView::PaintBackground(HDC dc) {
    const RECT all{0, 0, kBarWidth, kBarHeight};
    if (look_.background) {
        DrawBitmap(dc, look_.background.get(), all);
        return;
    }
    // Built-in look: a dark glass strip with rounded ends; the corners are the colour key.
    FillSolid(dc, all, kColourKey);
    Region shape(::CreateRoundRectRgn(0, 0, kBarWidth + 1, kBarHeight + 1, 10, 10));
    SaveDCScope saved(dc);
    ::SelectClipRgn(dc, shape.get());
    FillGradient(dc, all, RGB(58, 66, 82), RGB(22, 26, 34), true);
    Brush edge(::CreateSolidBrush(RGB(96, 108, 130)));
    ::FrameRgn(dc, shape.get(), edge.get(), 1, 1);
}

void BarView::PaintPanel(HDC dc) {
    FillSolid(dc, kPanelRect, look_.panel_colour);
    Brush border(::CreateSolidBrush(look_.panel_border));
    ::FrameRect(dc, &kPanelRect, border.get());
    if (led_digits_) {
        // The digits sit inside the panel's frame and are clipped by it.
        SaveDCScope clip(dc);
        ::IntersectClipRect(dc, kPanelRect.left + 1, kPanelRect.top + 1, kPanelRect.right - 1, kPanelRect.bottom - 1);
        led_.Paint(dc, kLedRect.left, kLedRect.top);
        return;
    }
    SaveDCScope saved(dc);
    SelectObjectScope select(dc, time_font_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, time_colour_);
    RECT text = kPanelRect;
    ::DrawTextW(dc, time_wide_.c_str(), 8, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void BarView::PaintButtons(HDC dc) {
    const bool menu_hot = hot_ == BarPart::kMenuButton || pressed_ == BarPart::kMenuButton;
    const bool min_hot = hot_ == BarPart::kMinButton;
    HBITMAP menu_picture = menu_hot && look_.menu_hot ? look_.menu_hot.get() : look_.menu_up.get();
    HBITMAP min_picture = min_hot && look_.min_hot ? look_.min_hot.get() : look_.min_up.get();
    if (menu_picture) {
        DrawBitmap(dc, menu_picture, kMenuButtonRect);
    } else {
        RECT r = kMenuButtonRect;
        FillGradient(dc, r, menu_hot ? RGB(92, 120, 160) : RGB(70, 80, 98),
                     menu_hot ? RGB(48, 66, 96) : RGB(36, 42, 54), true);
        Brush frame(::CreateSolidBrush(RGB(110, 124, 150)));
        ::FrameRect(dc, &r, frame.get());
        // Three short lines: the menu.
        Brush lines(::CreateSolidBrush(RGB(220, 226, 236)));
        for (int i = 0; i < 3; ++i) {
            RECT line{r.left + 13, r.top + 8 + i * 5, r.right - 13, r.top + 10 + i * 5};
            ::FillRect(dc, &line, lines.get());
        }
    }
    if (min_picture) {
        DrawBitmap(dc, min_picture, kMinButtonRect);
    } else {
        RECT r = kMinButtonRect;
        FillSolid(dc, r, min_hot ? RGB(92, 120, 160) : RGB(52, 60, 74));
        RECT dash{r.left + 8, r.bottom - 3, r.right - 8, r.bottom - 2};
        FillSolid(dc, dash, RGB(230, 234, 240));
    }
}

// --- date line -----------------------------------------------------------------------------------

void BarView::HandBackgroundToDateLine() {
    WindowDC screen(bar_);
    OffscreenSurface background(screen.get(), kBarWidth, kBarHeight);
    if (!background) return;
    PaintBackground(background.dc());
    date_line_.SetBackground(background.dc(), kDateLineRect.left, kDateLineRect.top);
    date_line_.SetFontColour(look_.date_colour);
}

void BarView::PrintTo(HDC target) {
    Paint(target);
    SaveDCScope saved(target);
    ::SetViewportOrgEx(target, kDateLineRect.left, kDateLineRect.top, nullptr);
    if (date_line_.hwnd()) ::SendMessageW(date_line_.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target), 0);
}

void BarView::SetFirstLine(const std::string& line) {
    FadeTextUpdate<FadeTextControl> update(date_line_);
    if (date_line_.LineCount() == 0) {
        date_line_.AddLine(line);
    } else {
        date_line_.SetLine(0, line);
    }
}

void BarView::SetActive(bool active) {
    date_line_.SetActive(active);
}

void BarView::ShowLine(int index) {
    date_line_.ShowLine(index);
}

}  // namespace kalvoro::win
