#include "calendar/win32/calendar_control_painter.h"

#include <string>

#include "base/win32/gdi.h"
#include "base/win32/text.h"
#include "base/win32/colour.h"
#include "base/win32/rect.h"

namespace kalvoro::win {
namespace {

constexpr int kVerticalCharacters = 3;

bool Touches(HRGN update, const Rect& rect) {
    if (!update) return true;
    const RECT area = ToRECT(rect);
    return ::RectInRegion(update, &area) != FALSE;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) == 0) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

void DrawTextAt(HDC dc, const std::wstring& text, RECT rect, UINT format, COLORREF colour, bool shadow) {
    format |= DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    if (shadow) {
        ::SetTextColor(dc, kTextShadowColour);
        RECT shadow_rect = rect;
        ::OffsetRect(&shadow_rect, 1, 1);
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow_rect, format);
    }
    ::SetTextColor(dc, colour);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

// One character per line, at most three, the first line ending at a third of the height.
void DrawVerticalText(HDC dc, const std::wstring& text, const Rect& rect, COLORREF colour, bool shadow) {
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    const int line_height = metrics.tmHeight;
    const int x = rect.left + 2;
    int y = rect.top + rect.Height() / 3 - line_height;
    std::size_t position = 0;
    for (int line = 0; line < kVerticalCharacters && position < text.size(); ++line) {
        const bool pair = IS_HIGH_SURROGATE(text[position]) && position + 1 < text.size();
        const std::wstring character = text.substr(position, pair ? 2 : 1);
        position += character.size();
        const RECT cell{x, y, x + line_height * 2, y + line_height};
        DrawTextAt(dc, character, cell, DT_LEFT | DT_TOP, colour, shadow);
        y += line_height;
    }
}

void DrawCellText(HDC dc, HFONT font, const CellText& text) {
    if (text.text.empty()) return;
    const SelectObjectScope select(dc, font);
    const std::wstring wide = Widen(text.text);
    const COLORREF colour = ResolveColour(text.color);
    switch (text.placement) {
        case CellTextPlacement::Centered:
            DrawTextAt(dc, wide, ToRECT(text.rect), DT_CENTER | DT_VCENTER, colour, text.shadow);
            break;
        case CellTextPlacement::TopCentered:
            DrawTextAt(dc, wide, ToRECT(text.rect), DT_CENTER | DT_TOP, colour, text.shadow);
            break;
        case CellTextPlacement::LeftMiddle:
            DrawTextAt(dc, wide, ToRECT(text.rect), DT_LEFT | DT_VCENTER, colour, text.shadow);
            break;
        case CellTextPlacement::Vertical:
            DrawVerticalText(dc, wide, text.rect, colour, text.shadow);
            break;
    }
}

HFONT FontFor(const CalendarFonts& fonts, CellFontRole role) {
    switch (role) {
        case CellFontRole::Lunar:
            return fonts.Lunar();
        case CellFontRole::Festival:
            return fonts.Festival();
        case CellFontRole::Day:
            break;
    }
    return fonts.Day();
}

void PaintWeekRow(HDC dc, const TLssCalendar& calendar, const CalendarFonts& fonts) {
    const CalendarLayout& layout = calendar.Layout();
    const TLssCalColors& colors = calendar.CalColors();
    FillSolid(dc, ToRECT(layout.week), ResolveColour(colors.WeekBackColor));
    {
        const SelectObjectScope select(dc, fonts.Week());
        for (int column = 0; column < kCalendarColumns; ++column) {
            const WeekHeading heading = calendar.WeekHeadingAt(column);
            DrawTextAt(dc, Widen(heading.text), ToRECT(heading.rect), DT_CENTER | DT_VCENTER,
                       ResolveColour(heading.color), false);
        }
    }
    if (!calendar.ShowGrid()) {
        const int y = layout.week.bottom - 2;
        FillSolid(dc, RECT{2, y, layout.week.right - 2, y + 1}, ResolveColour(colors.WeekTextFont.Color));
    }
}

void PaintBackMonth(HDC dc, const TLssCalendar& calendar, const CalendarFonts& fonts, int client_width) {
    const CalendarLayout& layout = calendar.Layout();
    const SelectObjectScope select(dc, fonts.BackMonth());
    const std::wstring text = Widen(calendar.BackMonthText());
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const int x = layout.days.left + (client_width - extent.cx) / 2;
    const int y = layout.days.top + (layout.days.Height() - extent.cy) / 2;
    ::SetTextColor(dc, ResolveColour(calendar.CalColors().BackMonthTextFont.Color));
    ::TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void PaintBorderAndGrid(HDC dc, const TLssCalendar& calendar, const RECT& client) {
    const CalendarLayout& layout = calendar.Layout();
    const TLssCalColors& colors = calendar.CalColors();
    if (calendar.ShowBorder()) {
        const Brush border(::CreateSolidBrush(ResolveColour(colors.BorderColor)));
        ::FrameRect(dc, &client, border.get());
    }
    if (!calendar.ShowGrid()) return;
    const COLORREF grid = ResolveColour(colors.GridColor);
    for (int i = 1; i < kCalendarColumns; ++i) {
        const int x = i * layout.cell_width;
        FillSolid(dc, RECT{x, layout.week.top, x + 1, layout.days.bottom}, grid);
    }
    for (int i = 0; i < kCalendarRows; ++i) {
        const int y = layout.week.bottom + i * layout.cell_height;
        FillSolid(dc, RECT{0, y, layout.days.right, y + 1}, grid);
    }
}

void PaintMark(HDC dc, const CalendarCell& cell, HBITMAP mark_image) {
    const SIZE size = BitmapSize(mark_image);
    if (size.cx > 0 && size.cy > 0) {
        const MemoryDC source(dc);
        const SelectObjectScope select(source.get(), mark_image);
        // The picture reaches below its cell; keep it inside so that a later repaint of the cell
        // below cannot cut it in half.
        const SaveDCScope save(dc);
        ::IntersectClipRect(dc, cell.rect.left, cell.rect.top, cell.rect.right, cell.rect.bottom);
        ::TransparentBlt(dc, cell.rect.left + 3, cell.rect.bottom - 14, size.cx, size.cy, source.get(), 0, 0, size.cx,
                         size.cy, kMarkPictureKey);
        return;
    }
    FillSolid(dc, ToRECT(cell.rect), ResolveColour(static_cast<Colour>(cell.mark_color)));
}

void PaintSelectionFrame(HDC dc, const Rect& rect) {
    const Pen pen(::CreatePen(PS_SOLID, kSelectionFrameWidth, ResolveColour(kSelectionFrameColor)));
    const SelectObjectScope select_pen(dc, pen.get());
    const SelectObjectScope select_brush(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
}

void PaintCell(HDC dc, const CalendarCell& cell, const CalendarFonts& fonts, HBITMAP mark_image) {
    if (cell.mark_color != kNoColor) PaintMark(dc, cell, mark_image);
    if (cell.selected) PaintSelectionFrame(dc, cell.rect);
    DrawCellText(dc, fonts.Day(), cell.day);
    DrawCellText(dc, FontFor(fonts, cell.lunar.font), cell.lunar);
    DrawCellText(dc, FontFor(fonts, cell.festival.font), cell.festival);
}

}  // namespace

void PaintCalendar(HDC dc, const TLssCalendar& calendar, const CalendarFonts& fonts, const CalendarPictures& pictures,
                   HRGN update, DateTime today) {
    const SaveDCScope save(dc);
    ::SetBkMode(dc, TRANSPARENT);
    const CalendarLayout& layout = calendar.Layout();
    const TLssCalColors& colors = calendar.CalColors();
    const RECT client{0, 0, layout.week.right, layout.days.bottom};

    if (Touches(update, layout.week)) PaintWeekRow(dc, calendar, fonts);

    FillSolid(dc, ToRECT(layout.days), ResolveColour(colors.DayBackColor));
    const SIZE back_size = BitmapSize(pictures.back_image);
    if (calendar.ShowBackImage() && back_size.cx > 0 && back_size.cy > 0) {
        const MemoryDC source(dc);
        const SelectObjectScope select(source.get(), pictures.back_image);
        ::SetStretchBltMode(dc, HALFTONE);
        ::StretchBlt(dc, layout.days.left, layout.days.top, layout.days.Width(), layout.days.Height(), source.get(), 0,
                     0, back_size.cx, back_size.cy, SRCCOPY);
    }
    if (calendar.ShowBackMonth()) PaintBackMonth(dc, calendar, fonts, client.right);
    PaintBorderAndGrid(dc, calendar, client);

    for (int i = 0; i < kCalendarCells; ++i) {
        if (!Touches(update, CellRectAt(layout, i))) continue;
        PaintCell(dc, calendar.Cell(i, today), fonts, pictures.mark_image);
    }
}

}  // namespace kalvoro::win
