#include "calendar/win32/calendar_control_fonts.h"

#include <algorithm>
#include <string>

#include "base/win32/text.h"

namespace kalvoro::win {

int FontPixelHeight(int points, const DisplayScale& scale) {
    return -scale.FontHeight(std::clamp(points, 1, 4000));
}

Font CreateCalFont(const CalFont& font, bool smooth, const DisplayScale& scale) {
    LOGFONTW log{};
    log.lfHeight = -FontPixelHeight(font.Size, scale);
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
        font_ = CreateCalFont(font, false, scale_);
        last_font_ = font;
    }
    const SelectObjectScope select(dc_.get(), font_.get());
    const std::wstring wide = Widen(text);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc_.get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
    return {extent.cx, extent.cy};
}

void GdiTextMeasurer::SetScale(const DisplayScale& scale) {
    if (scale == scale_) return;
    scale_ = scale;
    font_.reset();
}

void CalendarFonts::Update(const TLssCalendar& calendar, const DisplayScale& scale) {
    if (calendar.FontsRevision() == revision_ && calendar.SmoothText() == smooth_ && scale == scale_ && day_) return;
    revision_ = calendar.FontsRevision();
    smooth_ = calendar.SmoothText();
    scale_ = scale;
    const TLssCalColors& colors = calendar.CalColors();
    week_ = CreateCalFont(colors.WeekTextFont, smooth_, scale_);
    day_ = CreateCalFont(colors.DayTextFont, smooth_, scale_);
    lunar_ = CreateCalFont(colors.LunarTextFont, smooth_, scale_);
    festival_ = CreateCalFont(colors.FtvTextFont, smooth_, scale_);
    back_month_ = CreateCalFont(colors.BackMonthTextFont, smooth_, scale_);
}

}  // namespace kalvoro::win
