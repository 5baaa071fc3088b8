#include "app/win32/bar_view.h"

#include <commctrl.h>

#include <array>

#include "base/win32/rect.h"
#include "base/win32/text.h"
#include "skin/win32/skin_bitmap.h"

namespace kalvoro::win {

namespace {

// The parts at 96 DPI.
constexpr Rect kPanelRect{53, 4, 53 + 116, 4 + 26};
constexpr Rect kLedRect{54, 5, 54 + 117, 5 + 23};
constexpr Rect kDateLineRect{173, 12, 173 + 154, 12 + 20};
constexpr Rect kMenuButtonRect{8, 4, 8 + 43, 4 + 27};
constexpr Rect kMinButtonRect{296, 1, 296 + 26, 1 + 9};
constexpr COLORREF kColourKey = RGB(255, 0, 255);

// The bar's LED numbers at 96 DPI.
constexpr int kLedOffsetX = 6;
constexpr int kLedOffsetY = 2;
constexpr int kLedThick = 3;
constexpr int kLedWordWidth = 15;
constexpr int kLedWordHeight = 19;
constexpr int kLedSpace = 3;

RECT Scaled(const DisplayScale& scale, const Rect& design) {
    return ToRECT(scale.Px(design));
}

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

void BarView::Attach(HWND bar, const DisplayScale& scale) {
    bar_ = bar;
    // The bar's LED values; a skin replaces the colours.
    led_.SetAutoSize(false);
    led_.SetText("00:00:00");
    led_.SetBGColor(RGB(0, 0, 0));
    led_.SetLightColor(RGB(255, 0, 255));
    led_.SetDarkColor(3618615);
    led_.SetDrawDarkColor(false);
    const RECT date_line = Scaled(scale, kDateLineRect);
    date_line_.Create(bar_, date_line.left, date_line.top, date_line.right - date_line.left,
                      date_line.bottom - date_line.top);
    // Built-in look until a skin is applied: lit segments in a soft green.
    led_.SetLightColor(RGB(57, 211, 83));
    scale_ = DisplayScale{0};  // differs from every real scale, so SetScale lays everything out
    SetScale(scale);
}

void BarView::SetScale(const DisplayScale& scale) {
    if (scale == scale_) return;
    scale_ = scale;
    width_ = scale.Px(kBarWidth);
    height_ = scale.Px(kBarHeight);
    panel_rect_ = Scaled(scale, kPanelRect);
    led_rect_ = Scaled(scale, kLedRect);
    date_line_rect_ = Scaled(scale, kDateLineRect);
    menu_rect_ = Scaled(scale, kMenuButtonRect);
    min_rect_ = Scaled(scale, kMinButtonRect);
    // The digits' polygons are computed exactly from these scaled numbers. A thickness must fit
    // the cell it is set in, so it goes to one pixel first and to its value once the cell is sized.
    led_.SetOffSetX(scale.Px(kLedOffsetX));
    led_.SetOffSetY(scale.Px(kLedOffsetY));
    led_.SetThick(1);
    led_.SetWordWidth(scale.Px(kLedWordWidth));
    led_.SetWordHeight(scale.Px(kLedWordHeight));
    led_.SetThick(scale.Px(kLedThick));
    led_.SetSpace(scale.Px(kLedSpace));
    led_.SetSize(led_rect_.right - led_rect_.left, led_rect_.bottom - led_rect_.top);
    date_line_.SetScale(scale, date_line_rect_.left, date_line_rect_.top, date_line_rect_.right - date_line_rect_.left,
                        date_line_rect_.bottom - date_line_rect_.top);
    surface_.reset();
    if (has_time_font_) MakeTimeFont();
    ScalePictures();
    UpdateToolRects();
    HandBackgroundToDateLine();
    if (bar_) ::InvalidateRect(bar_, nullptr, FALSE);
}

void BarView::ScalePictures() {
    const auto scaled = [this](const Bitmap& picture) {
        return picture ? ScaledPicture(picture.get(), scale_) : Bitmap();
    };
    shown_.background = scaled(look_.background);
    shown_.menu_up = scaled(look_.menu_up);
    shown_.menu_hot = scaled(look_.menu_hot);
    shown_.min_up = scaled(look_.min_up);
    shown_.min_hot = scaled(look_.min_hot);
    shown_.panel_colour = look_.panel_colour;
    shown_.panel_border = look_.panel_border;
    shown_.date_colour = look_.date_colour;
}

void BarView::UpdateToolRects() {
    if (!tooltip_) return;
    const std::array<RECT, 3> rects{panel_rect_, menu_rect_, min_rect_};
    for (UINT id = 1; id <= rects.size(); ++id) {
        TOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.hwnd = bar_;
        info.uId = id;
        info.rect = rects[id - 1];
        ::SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void BarView::AttachToolTips(HWND tooltip) {
    tooltip_ = tooltip;
    if (!tooltip_) return;
    ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    const std::array<std::pair<RECT, const wchar_t*>, 3> tools{{
        {panel_rect_, L""},
        {menu_rect_, L"主菜单"},
        {min_rect_, L"最小化"},
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
    if (Inside(menu_rect_, x, y)) return BarPart::kMenuButton;
    if (Inside(min_rect_, x, y)) return BarPart::kMinButton;
    if (Inside(panel_rect_, x, y)) return BarPart::kPanel;
    if (Inside(date_line_rect_, x, y)) return BarPart::kDateLine;
    if (x >= 0 && y >= 0 && x < width_ && y < height_) return BarPart::kBackground;
    return BarPart::kNone;
}

RECT BarView::PartRect(BarPart part) const {
    switch (part) {
        case BarPart::kPanel:
            return panel_rect_;
        case BarPart::kDateLine:
            return date_line_rect_;
        case BarPart::kMenuButton:
            return menu_rect_;
        case BarPart::kMinButton:
            return min_rect_;
        default:
            return RECT{0, 0, width_, height_};
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
    time_font_settings_ = font;
    has_time_font_ = true;
    MakeTimeFont();
    InvalidatePart(BarPart::kPanel);
}

void BarView::MakeTimeFont() {
    // Points to pixels at the bar's resolution, as the font dialog means them.
    const LedFontSettings& font = time_font_settings_;
    time_font_ =
        MakeFont(Widen(font.name).c_str(), scale_.FontHeight(font.size_points), font.bold ? FW_BOLD : FW_NORMAL,
                 font.italic, font.underline, font.strike_out, ANTIALIASED_QUALITY);
}

void BarView::ApplyLook(BarLook look) {
    look_ = std::move(look);
    ScalePictures();
    HandBackgroundToDateLine();
    if (bar_) ::InvalidateRect(bar_, nullptr, FALSE);
}

void BarView::Paint(HDC target) {
    Paint(target, RECT{0, 0, width_, height_});
}

void BarView::Paint(HDC target, const RECT& dirty) {
    const RECT all{0, 0, width_, height_};
    RECT area{};
    if (!::IntersectRect(&area, &dirty, &all)) return;
    // Made once: the bar repaints every second and should not make and free a bitmap each time.
    if (!surface_) surface_ = std::make_unique<OffscreenSurface>(target, width_, height_);
    if (!*surface_) return;
    HDC dc = surface_->dc();
    // The panel covers the background under it wholly, so a paint inside it (the tick's) needs
    // neither the background nor the buttons, and only that rectangle goes to the window.
    RECT outside_panel{};
    ::SubtractRect(&outside_panel, &area, &panel_rect_);
    const bool panel_only = ::IsRectEmpty(&outside_panel) != FALSE;
    if (!panel_only) PaintBackground(dc);
    RECT panel_part{};
    if (::IntersectRect(&panel_part, &area, &panel_rect_)) PaintPanel(dc);
    if (!panel_only) PaintButtons(dc);
    ::BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc, area.left, area.top,
             SRCCOPY);
}

void BarView::PaintBackground(HDC dc) {
    const RECT all{0, 0, width_, height_};
    if (shown_.background) {
        DrawBitmap(dc, shown_.background.get(), all);
        return;
    }
    // Built-in look: a dark glass strip with rounded ends; the corners are the colour key.
    FillSolid(dc, all, kColourKey);
    const int round = scale_.Px(10);
    Region shape(::CreateRoundRectRgn(0, 0, width_ + 1, height_ + 1, round, round));
    SaveDCScope saved(dc);
    ::SelectClipRgn(dc, shape.get());
    FillGradient(dc, all, RGB(58, 66, 82), RGB(22, 26, 34), true);
    Brush edge(::CreateSolidBrush(RGB(96, 108, 130)));
    ::FrameRgn(dc, shape.get(), edge.get(), 1, 1);
}

void BarView::PaintPanel(HDC dc) {
    FillSolid(dc, panel_rect_, shown_.panel_colour);
    Brush border(::CreateSolidBrush(shown_.panel_border));
    ::FrameRect(dc, &panel_rect_, border.get());
    if (led_digits_) {
        // The digits sit inside the panel's frame and are clipped by it.
        SaveDCScope clip(dc);
        ::IntersectClipRect(dc, panel_rect_.left + 1, panel_rect_.top + 1, panel_rect_.right - 1,
                            panel_rect_.bottom - 1);
        led_.Paint(dc, led_rect_.left, led_rect_.top);
        return;
    }
    SaveDCScope saved(dc);
    SelectObjectScope select(dc, time_font_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, time_colour_);
    RECT text = panel_rect_;
    ::DrawTextW(dc, time_wide_.c_str(), 8, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void BarView::PaintButtons(HDC dc) {
    const bool menu_hot = hot_ == BarPart::kMenuButton || pressed_ == BarPart::kMenuButton;
    const bool min_hot = hot_ == BarPart::kMinButton;
    HBITMAP menu_picture = menu_hot && shown_.menu_hot ? shown_.menu_hot.get() : shown_.menu_up.get();
    HBITMAP min_picture = min_hot && shown_.min_hot ? shown_.min_hot.get() : shown_.min_up.get();
    const auto px = [this](int design) { return scale_.Px(design); };
    if (menu_picture) {
        DrawBitmap(dc, menu_picture, menu_rect_);
    } else {
        RECT r = menu_rect_;
        FillGradient(dc, r, menu_hot ? RGB(92, 120, 160) : RGB(70, 80, 98),
                     menu_hot ? RGB(48, 66, 96) : RGB(36, 42, 54), true);
        Brush frame(::CreateSolidBrush(RGB(110, 124, 150)));
        ::FrameRect(dc, &r, frame.get());
        // Three short lines: the menu.
        Brush lines(::CreateSolidBrush(RGB(220, 226, 236)));
        for (int i = 0; i < 3; ++i) {
            RECT line{r.left + px(13), r.top + px(8 + i * 5), r.right - px(13), r.top + px(10 + i * 5)};
            ::FillRect(dc, &line, lines.get());
        }
    }
    if (min_picture) {
        DrawBitmap(dc, min_picture, min_rect_);
    } else {
        RECT r = min_rect_;
        FillSolid(dc, r, min_hot ? RGB(92, 120, 160) : RGB(52, 60, 74));
        RECT dash{r.left + px(8), r.bottom - px(3), r.right - px(8), r.bottom - px(2)};
        FillSolid(dc, dash, RGB(230, 234, 240));
    }
}

// --- date line -----------------------------------------------------------------------------------

void BarView::HandBackgroundToDateLine() {
    WindowDC screen(bar_);
    OffscreenSurface background(screen.get(), width_, height_);
    if (!background) return;
    PaintBackground(background.dc());
    date_line_.SetBackground(background.dc(), date_line_rect_.left, date_line_rect_.top);
    date_line_.SetFontColour(shown_.date_colour);
}

void BarView::PrintTo(HDC target) {
    Paint(target);
    SaveDCScope saved(target);
    ::SetViewportOrgEx(target, date_line_rect_.left, date_line_rect_.top, nullptr);
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
