#include "calendar/calendar_control_layout.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/gbk.h"
#include "calendar/lunar_names.h"

namespace kalvoro {
namespace {

using enum TLssCalStyle;

constexpr std::string_view kNine = "九";
// A measurer that reports no width at all must not keep the festival loop going for ever.
constexpr int kMaxFestivalCharacters = 200;

int RoundToInt(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<int>(std::nearbyint(std::clamp(value, -1e9, 1e9)));
}

bool Fits(ITextMeasurer& measurer, CalFont font, int size, std::string_view text, int width, int height) {
    font.Size = size;
    const CalSize extent = measurer.MeasureText(font, text);
    return extent.cx <= width && extent.cy <= height;
}

std::string Repeat(std::string_view text, int count) {
    std::string result;
    for (int i = 0; i < count; ++i) result += text;
    return result;
}

void PlaceCellRects(CalendarLayout& layout, const CalendarLayoutInput& input) {
    const int cw = layout.cell_width;
    const int ch = layout.cell_height;
    // A negative or tiny scale would make the bands wider than the cell; keep them inside it.
    const int g = std::clamp(RoundToInt(cw / input.horizon_scale), 0, cw);
    const int h = std::clamp(RoundToInt(ch / input.vertical_scale), 0, ch);
    const Rect full = Rect::FromSize(0, 0, cw, ch);
    const Rect above_band = Rect::FromSize(0, 0, cw, ch - h);
    const Rect bottom_band = Rect::FromSize(0, ch - h, cw, h);
    const Rect left_of_band = Rect::FromSize(0, 0, cw - g, ch);
    const Rect right_band = Rect::FromSize(cw - g, 0, g, ch);
    const Rect corner = Rect::FromSize(0, 0, cw - g, ch - h);
    const Rect right_above_band = Rect::FromSize(cw - g, 0, g, ch - h);

    const TLssCalStyle lunar = input.lunar_style;
    const TLssCalStyle festival = input.festival_style;
    layout.lunar = {};
    layout.festival = {};
    if (lunar == csBottom) {
        layout.lunar = bottom_band;
        if (festival == csRight) {
            layout.day_number = corner;
            layout.festival = right_above_band;
        } else {
            layout.day_number = above_band;
            if (festival == csBottom) layout.festival = bottom_band;
        }
    } else if (lunar == csRight) {
        if (festival == csBottom) {
            layout.day_number = corner;
            layout.lunar = right_above_band;
            layout.festival = bottom_band;
        } else {
            layout.day_number = left_of_band;
            layout.lunar = right_band;
            if (festival == csRight) layout.festival = right_band;
        }
    } else if (festival == csBottom) {
        layout.day_number = above_band;
        layout.festival = bottom_band;
    } else if (festival == csRight) {
        layout.day_number = left_of_band;
        layout.festival = right_band;
    } else {
        layout.day_number = full;
    }
}

void FitFonts(const CalendarLayoutInput& input, const CalendarLayout& layout, ITextMeasurer& measurer,
              TLssCalColors& fonts) {
    const Rect& days = layout.days;
    fonts.BackMonthTextFont.Size =
        FitFontSize(measurer, fonts.BackMonthTextFont, "9", days.Width(), RoundToInt(0.9 * days.Height()));
    fonts.TitleTextFont.Size = FitFontSize(measurer, fonts.TitleTextFont, FormatDateTime("yyyy年mm月", input.date),
                                           layout.title.Width(), RoundToInt(0.8 * layout.title.Height()));
    // Fitted to the weekday name the row draws, so that the name fits its column.
    const int weekday = DayOfWeek(input.date) - 1;
    fonts.WeekTextFont.Size = FitFontSize(measurer, fonts.WeekTextFont, GetChineseWeekName(weekday),
                                          RoundToInt(0.9 * layout.cell_width), layout.cell_height);
    fonts.DayTextFont.Size = FitFontSize(measurer, fonts.DayTextFont, FormatDateTime("dd", input.date),
                                         layout.day_number.right, layout.day_number.bottom);
    const Rect& lunar = layout.lunar;
    if (!lunar.IsEmpty()) {
        if (input.lunar_style == csRight && input.show_vertical) {
            fonts.LunarTextFont.Size =
                FitFontSize(measurer, fonts.LunarTextFont, kNine, lunar.Width(), lunar.Height() / 3);
        } else {
            fonts.LunarTextFont.Size =
                FitFontSize(measurer, fonts.LunarTextFont, Repeat(kNine, 3), lunar.Width(), lunar.Height());
        }
    }
    const Rect& festival = layout.festival;
    if (!festival.IsEmpty()) {
        if (input.festival_style != csRight) {
            fonts.FtvTextFont.Size =
                FitFontSize(measurer, fonts.FtvTextFont, Repeat(kNine, 6), festival.Width(), festival.Height());
        } else if (input.show_vertical) {
            fonts.FtvTextFont.Size =
                FitFontSize(measurer, fonts.FtvTextFont, kNine, festival.Width(), festival.Height() / 3);
        } else {
            fonts.FtvTextFont.Size =
                FitFontSize(measurer, fonts.FtvTextFont, Repeat(kNine, 3), festival.Width(), festival.Height());
        }
    }
}

int MeasureLongestFestival(const CalendarLayoutInput& input, const CalendarLayout& layout, ITextMeasurer& measurer,
                           const CalFont& festival_font) {
    const Rect& festival = layout.festival;
    if (festival.IsEmpty() || (input.festival_style == csRight && input.show_vertical)) {
        return kDefaultLongestFestivalBytes;
    }
    std::string text = Repeat(kNine, 3);
    for (int characters = 4; characters <= kMaxFestivalCharacters; ++characters) {
        text += kNine;
        const CalSize extent = measurer.MeasureText(festival_font, text);
        if (extent.cx > festival.Width() || extent.cy > festival.Height()) break;
    }
    return static_cast<int>(GbkLength(text)) - 2;
}

CalendarArrows MeasureArrows(const CalendarLayout& layout, ITextMeasurer& measurer, CalFont title_font) {
    title_font.Size = title_font.Size * 3 / 5;
    const CalSize sz = measurer.MeasureText(title_font, "《");
    const Rect& title = layout.title;
    const int t = (title.bottom - sz.cy) / 2;
    CalendarArrows arrows;
    arrows.prev_year = Rect::FromSize(title.left + 5, t, sz.cx, sz.cy);
    arrows.prev_month = Rect::FromSize(arrows.prev_year.right + 1, t, sz.cx, sz.cy);
    arrows.next_year = Rect::FromSize(title.right - 5 - sz.cx, t, sz.cx, sz.cy);
    arrows.next_month = Rect::FromSize(arrows.next_year.left - 1 - sz.cx, t, sz.cx, sz.cy);
    return arrows;
}

}  // namespace

int FitFontSize(ITextMeasurer& measurer, const CalFont& font, std::string_view text, int width, int height) {
    if (!Fits(measurer, font, kMinFittedFontSize, text, width, height)) return kUnfittableFontSize;
    int fitting = kMinFittedFontSize;
    int too_big = kMaxFittedFontSize + 1;
    while (too_big - fitting > 1) {
        const int middle = fitting + (too_big - fitting) / 2;
        if (Fits(measurer, font, middle, text, width, height)) {
            fitting = middle;
        } else {
            too_big = middle;
        }
    }
    return fitting;
}

CalendarLayout ComputeCellGeometry(const CalendarLayoutInput& input) {
    CalendarLayout layout;
    const int width = std::max(input.client_width, 0);
    const int height = std::max(input.client_height, 0);
    layout.cell_width = width / 7;
    layout.cell_height = height / 7;
    layout.title = {0, 0, width, 0};
    layout.week = Rect::FromSize(0, 0, width, layout.cell_height);
    layout.days = Rect::FromSize(0, layout.cell_height, width, height - layout.cell_height);
    PlaceCellRects(layout, input);
    return layout;
}

CalendarLayout ComputeCalendarLayout(const CalendarLayoutInput& input, ITextMeasurer& measurer, TLssCalColors& fonts) {
    CalendarLayout layout = ComputeCellGeometry(input);
    if (input.auto_font_size) FitFonts(input, layout, measurer, fonts);
    layout.longest_festival_bytes = MeasureLongestFestival(input, layout, measurer, fonts.FtvTextFont);
    if (input.show_arrow) layout.arrows = MeasureArrows(layout, measurer, fonts.TitleTextFont);
    return layout;
}

}  // namespace kalvoro
