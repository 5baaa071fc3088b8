#include "ui/win32/menu_painter.h"

#include "base/win32/gdi.h"

namespace kalvoro::win {

namespace {

constexpr int kIconBarWidth = 24;
constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 7;
constexpr int kImageSize = 16;
constexpr COLORREF kImageKey = RGB(255, 0, 255);
constexpr COLORREF kMenuText = RGB(0, 0, 0);
constexpr COLORREF kMenuBackground = RGB(255, 255, 255);

}  // namespace

void MeasureMenuItem(MEASUREITEMSTRUCT& measure, HFONT font, const MenuItemLook& item, const DisplayScale& scale) {
    if (item.separator) {
        measure.itemWidth = static_cast<UINT>(scale.Px(60));
        measure.itemHeight = static_cast<UINT>(scale.Px(kSeparatorHeight));
        return;
    }
    SIZE extent{};
    {
        const WindowDC screen(nullptr);
        const SelectObjectScope select(screen.get(), font);
        ::GetTextExtentPoint32W(screen.get(), item.caption.data(), static_cast<int>(item.caption.size()), &extent);
    }
    // Room on the right for the system's submenu arrow.
    measure.itemWidth = static_cast<UINT>(scale.Px(kIconBarWidth + 8 + 24) + extent.cx);
    measure.itemHeight = static_cast<UINT>(scale.Px(kItemHeight));
}

void PaintMenuItem(const DRAWITEMSTRUCT& draw, HFONT font, const MenuColors& colours, const MenuItemLook& item,
                   const DisplayScale& scale) {
    const auto px = [&scale](int design) { return scale.Px(design); };
    const int icon_bar = px(kIconBarWidth);
    const HDC dc = draw.hDC;
    const RECT& r = draw.rcItem;
    const SaveDCScope saved(dc);

    FillSolid(dc, r, kMenuBackground);
    const RECT bar{r.left, r.top, r.left + icon_bar, r.bottom};
    FillGradient(dc, bar, colours.icon_bar_start, colours.icon_bar_stop, false);

    if (item.separator) {
        const int y = (r.top + r.bottom) / 2;
        const Pen pen(::CreatePen(PS_SOLID, 1, colours.selection_frame));
        const SelectObjectScope select(dc, pen.get());
        ::MoveToEx(dc, r.left + icon_bar + px(4), y, nullptr);
        ::LineTo(dc, r.right, y);
        return;
    }

    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    if (selected && !disabled) {
        const RECT selection{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        FillGradient(dc, selection, colours.selection_start, colours.selection_stop, true);
        const Brush frame(::CreateSolidBrush(colours.selection_frame));
        ::FrameRect(dc, &selection, frame.get());
    }

    if (item.images && item.image_index >= 0) {
        const MemoryDC source(dc);
        const SelectObjectScope select(source.get(), item.images);
        const int size = px(kImageSize);
        const int top = r.top + (r.bottom - r.top - size) / 2;
        ::TransparentBlt(dc, r.left + px(4), top, size, size, source.get(), item.image_index * kImageSize, 0,
                         kImageSize, kImageSize, kImageKey);
    }
    if (draw.itemState & ODS_CHECKED) {
        const Brush dot(::CreateSolidBrush(kMenuText));
        const SelectObjectScope select_brush(dc, dot.get());
        const SelectObjectScope select_pen(dc, ::GetStockObject(NULL_PEN));
        const int cx = r.left + icon_bar / 2;
        const int cy = (r.top + r.bottom) / 2;
        const int radius = px(4);
        ::Ellipse(dc, cx - radius, cy - radius, cx + radius, cy + radius);
    }

    const SelectObjectScope select_font(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? ::GetSysColor(COLOR_GRAYTEXT) : kMenuText);
    RECT text{r.left + icon_bar + px(8), r.top, r.right - px(16), r.bottom};
    ::DrawTextW(dc, item.caption.data(), static_cast<int>(item.caption.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

}  // namespace kalvoro::win
