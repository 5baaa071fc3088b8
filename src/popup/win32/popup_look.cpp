#include "popup/win32/popup_look.h"

#include <algorithm>

#include "resource_ids.h"

namespace kalvoro::win {
namespace {

constexpr COLORREF kBorder = RGB(74, 110, 168);
constexpr COLORREF kTitleTop = RGB(88, 136, 206);
constexpr COLORREF kTitleBottom = RGB(54, 98, 172);
constexpr COLORREF kTitleText = RGB(255, 255, 255);
constexpr COLORREF kTimeText = RGB(214, 228, 248);
constexpr COLORREF kPanelTop = RGB(253, 254, 255);
constexpr COLORREF kPanelBottom = RGB(226, 236, 250);
constexpr COLORREF kBodyText = RGB(30, 38, 54);
constexpr COLORREF kCloseHot = RGB(214, 84, 72);
constexpr COLORREF kScrollThumb = RGB(152, 172, 206);

constexpr wchar_t kTitle[] = L"Kalvoro 消息";
constexpr UINT kTextFormat = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS;

int Scale(int pixels_at_96, int dpi) {
    return MulDiv(pixels_at_96, dpi, 96);
}

int ScreenDpi() {
    WindowDC screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return dpi > 0 ? dpi : 96;
}

Font MakeFont(int pixel_height, int weight, const wchar_t* face) {
    LOGFONTW font{};
    font.lfHeight = -pixel_height;
    font.lfWeight = weight;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return Font(CreateFontIndirectW(&font));
}

void DrawCross(HDC dc, const RECT& box, COLORREF colour, int thickness) {
    const int inset = (box.right - box.left) * 3 / 10;
    Pen pen(CreatePen(PS_SOLID, thickness, colour));
    SelectObjectScope select(dc, pen.get());
    MoveToEx(dc, box.left + inset, box.top + inset, nullptr);
    LineTo(dc, box.right - inset, box.bottom - inset);
    MoveToEx(dc, box.right - inset - 1, box.top + inset, nullptr);
    LineTo(dc, box.left + inset - 1, box.bottom - inset);
}

}  // namespace

PopupMetrics PopupMetrics::ForDpi(int dpi) {
    PopupMetrics m;
    m.width = Scale(300, dpi);
    m.border = std::max(1, Scale(1, dpi));
    m.title_height = Scale(26, dpi);
    m.padding_x = Scale(12, dpi);
    m.padding_y = Scale(10, dpi);
    m.close_size = Scale(20, dpi);
    m.scroll_bar_width = Scale(5, dpi);
    m.min_text_height = Scale(36, dpi);
    m.max_text_height = Scale(260, dpi);
    return m;
}

PopupLook::PopupLook() {
    const int dpi = ScreenDpi();
    metrics_ = PopupMetrics::ForDpi(dpi);
    title_font_ = MakeFont(Scale(14, dpi), FW_BOLD, L"宋体");
    text_font_ = MakeFont(Scale(16, dpi), FW_NORMAL, L"宋体");
    time_font_ = MakeFont(Scale(12, dpi), FW_NORMAL, L"宋体");
    const int icon_size = Scale(16, dpi);
    icon_.reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KALVORO), IMAGE_ICON, icon_size, icon_size, 0)));

    WindowDC screen(nullptr);
    if (screen && text_font_) {
        SelectObjectScope select(screen.get(), text_font_.get());
        TEXTMETRICW text_metrics{};
        if (GetTextMetricsW(screen.get(), &text_metrics)) {
            line_height_ = std::max(1, static_cast<int>(text_metrics.tmHeight + text_metrics.tmExternalLeading));
        }
    }
}

int PopupLook::MeasureText(std::wstring_view text) const {
    if (text.empty()) return 0;
    WindowDC screen(nullptr);
    if (!screen) return line_height_;
    SelectObjectScope select(screen.get(), text_font_.get());
    RECT box{0, 0, metrics_.width - 2 * metrics_.border - 2 * metrics_.padding_x - metrics_.scroll_bar_width, 0};
    DrawTextW(screen.get(), text.data(), static_cast<int>(text.size()), &box, kTextFormat | DT_CALCRECT);
    return std::max(0, static_cast<int>(box.bottom - box.top));
}

int PopupLook::WindowHeight(int text_height) const {
    int shown_text = std::clamp(text_height, metrics_.min_text_height, metrics_.max_text_height);
    // A scrolling text shows whole lines, so no line is ever cut through at the bottom.
    if (text_height > metrics_.max_text_height) shown_text = std::max(1, shown_text / line_height_) * line_height_;
    return metrics_.border * 2 + metrics_.title_height + metrics_.padding_y * 2 + shown_text;
}

RECT PopupLook::TextBox(const RECT& client) const {
    return RECT{client.left + metrics_.border + metrics_.padding_x,
                client.top + metrics_.border + metrics_.title_height + metrics_.padding_y,
                client.right - metrics_.border - metrics_.padding_x,
                client.bottom - metrics_.border - metrics_.padding_y};
}

RECT PopupLook::CloseBox(const RECT& client) const {
    const int right = client.right - metrics_.border - (metrics_.title_height - metrics_.close_size) / 2;
    const int top = client.top + metrics_.border + (metrics_.title_height - metrics_.close_size) / 2;
    return RECT{right - metrics_.close_size, top, right, top + metrics_.close_size};
}

int PopupLook::MaxScroll(const RECT& client, int text_height) const {
    const RECT box = TextBox(client);
    return std::max(0, text_height - static_cast<int>(box.bottom - box.top));
}

void PopupLook::Paint(HDC dc, const RECT& client, const PopupPaintState& state) const {
    FillSolid(dc, client, kBorder);
    const RECT inside{client.left + metrics_.border, client.top + metrics_.border, client.right - metrics_.border,
                      client.bottom - metrics_.border};
    FillGradient(dc, inside, kPanelTop, kPanelBottom, true);
    PaintTitle(dc, client, state);
    PaintText(dc, client, state);
}

void PopupLook::PaintTitle(HDC dc, const RECT& client, const PopupPaintState& state) const {
    const RECT strip{client.left + metrics_.border, client.top + metrics_.border, client.right - metrics_.border,
                     client.top + metrics_.border + metrics_.title_height};
    FillGradient(dc, strip, kTitleTop, kTitleBottom, true);
    SaveDCScope saved(dc);
    SetBkMode(dc, TRANSPARENT);

    int text_left = strip.left + metrics_.padding_x / 2;
    if (icon_) {
        const int icon_size = metrics_.title_height * 16 / 26;
        DrawIconEx(dc, text_left, strip.top + (metrics_.title_height - icon_size) / 2, icon_.get(), icon_size,
                   icon_size, 0, nullptr, DI_NORMAL);
        text_left += icon_size + metrics_.padding_x / 2;
    }
    const RECT close = CloseBox(client);
    RECT title{text_left, strip.top, close.left - metrics_.padding_x / 2, strip.bottom};
    {
        SelectObjectScope select(dc, time_font_.get());
        SetTextColor(dc, kTimeText);
        DrawTextW(dc, state.arrival_time.data(), static_cast<int>(state.arrival_time.size()), &title,
                  DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
    {
        SelectObjectScope select(dc, title_font_.get());
        SetTextColor(dc, kTitleText);
        DrawTextW(dc, kTitle, -1, &title, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (state.close_hot) FillSolid(dc, close, kCloseHot);
    DrawCross(dc, close, kTitleText, std::max(1, metrics_.border + metrics_.border / 2));
}

void PopupLook::PaintText(HDC dc, const RECT& client, const PopupPaintState& state) const {
    const RECT box = TextBox(client);
    const int box_height = box.bottom - box.top;
    SaveDCScope saved(dc);
    IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kBodyText);
    SelectObjectScope select(dc, text_font_.get());
    RECT text{box.left, box.top - state.scroll, box.right - metrics_.scroll_bar_width,
              box.top - state.scroll + std::max(state.text_height, box_height)};
    DrawTextW(dc, state.text.data(), static_cast<int>(state.text.size()), &text, kTextFormat);

    if (state.text_height > box_height && state.text_height > 0) {
        // A thumb in the right margin shows where the visible part lies in the whole text.
        const int thumb_height = std::max(metrics_.scroll_bar_width * 3, box_height * box_height / state.text_height);
        const int travel = box_height - thumb_height;
        const int max_scroll = state.text_height - box_height;
        const int thumb_top = box.top + (max_scroll > 0 ? travel * state.scroll / max_scroll : 0);
        const RECT thumb{box.right - metrics_.scroll_bar_width + 1, thumb_top, box.right, thumb_top + thumb_height};
        FillSolid(dc, thumb, kScrollThumb);
    }
}

}  // namespace kalvoro::win
