#include "calendar/win32/calendar_control_fonts.h"

#include <algorithm>
#include <string>

#include "base/win32/text.h"

namespace kalvoro::win {

int FontPixelHeight(int points) {
    static const int dpi = [] {
        const WindowDC screen(nullptr);
        return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    }();
    return ::MulDiv(std::clamp(points, 1, 4000), dpi, 72);
}

Font CreateCalFont(const CalFont& font, bool smooth) {
    LOGFONTW log{};
    log.lfHeight = -FontPixelHeight(font.Size);
    log.lfWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
    log.lfItalic = (font.Style & fsItalic) ? TRUE : FALSE;
    log.lfUnderline = (font.Style & fsUnderline) ? TRUE : FALSE;
    log.lfStrikeOut = (font.Style & fsStrikeOut) ? TRUE : FALSE;
    log.lfCharSet = static_cast<BYTE>(std::clamp(font.Charset, 0, 255));
    log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = smooth ? ANTIALIASED_QUALITY : DEFAULT_QUALITY;
    log.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = Widen(font.Name);
    face.copy(log.lfFaceName, LF_FACESIZE - 1);
    return Font(::CreateFontIndirectW(&log));
}

GdiTextMeasurer::GdiTextMeasurer() : dc_(nullptr) {}

CalSize GdiTextMeasurer::MeasureText(const CalFont& font, std::string_view text) {
    if (!dc_) return {};
    if (!font_ || !(font == last_font_)) {
        font_ = CreateCalFont(font, false);
        last_font_ = font;
    }
    const SelectObjectScope select(dc_.get(), font_.get());
    const std::wstring wide = Widen(text);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc_.get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
    return {extent.cx, extent.cy};
}

void CalendarFonts::Update(const TLssCalendar& calendar) {
    if (calendar.FontsRevision() == revision_ && calendar.SmoothText() == smooth_ && day_) return;
    revision_ = calendar.FontsRevision();
    smooth_ = calendar.SmoothText();
    const TLssCalColors& colors = calendar.CalColors();
    week_ = CreateCalFont(colors.WeekTextFont, smooth_);
    day_ = CreateCalFont(colors.DayTextFont, smooth_);
    lunar_ = CreateCalFont(colors.LunarTextFont, smooth_);
    festival_ = CreateCalFont(colors.FtvTextFont, smooth_);
    back_month_ = CreateCalFont(colors.BackMonthTextFont, smooth_);
}

}  // namespace kalvoro::win
